// Threads started from a plain C function; a handle can be waited on with a time-out.
#include "plinth/thread.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <pthread.h>

namespace {

struct ThreadState {
    std::mutex lock;
    std::condition_variable ended;
    bool done = false;
    pthread_t id {};
    ThreadFunction function = nullptr;
    void* argument = nullptr;
};

// Marks the state ended however the thread leaves: return or cancellation unwinding.
struct EndMark {
    ThreadState& state;
    ~EndMark()
    {
        std::lock_guard<std::mutex> guard(state.lock);
        state.done = true;
        state.ended.notify_all();
    }
};

extern "C" void* threadMain(void* raw)
{
    // The thread owns one reference; the handle owns the other.
    std::unique_ptr<std::shared_ptr<ThreadState>> ref(static_cast<std::shared_ptr<ThreadState>*>(raw));
    std::shared_ptr<ThreadState> state = *ref;
    ref.reset();
    EndMark mark {*state};
    state->function(state->argument);
    return nullptr;
}

} // namespace

struct PlinthThread {
    std::shared_ptr<ThreadState> state;
};

PLINTH_API ThreadHandle ThreadStart(ThreadFunction function, void* argument)
{
    if (!function)
        return nullptr;
    try {
        auto handle = std::make_unique<PlinthThread>();
        handle->state = std::make_shared<ThreadState>();
        handle->state->function = function;
        handle->state->argument = argument;
        auto threadRef = std::make_unique<std::shared_ptr<ThreadState>>(handle->state);

        pthread_attr_t attr;
        if (pthread_attr_init(&attr) != 0)
            return nullptr;
        pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
        // Hold the lock so that ThreadKill never sees a half-set id.
        std::unique_lock<std::mutex> guard(handle->state->lock);
        const int rc = pthread_create(&handle->state->id, &attr, threadMain, threadRef.get());
        pthread_attr_destroy(&attr);
        if (rc != 0)
            return nullptr;
        threadRef.release(); // now owned by the thread
        return handle.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

PLINTH_API int ThreadWait(ThreadHandle thread, unsigned int milliseconds)
{
    if (!thread)
        return 0;
    ThreadState& state = *thread->state;
    std::unique_lock<std::mutex> guard(state.lock);
    if (milliseconds == PLINTH_WAIT_INFINITE) {
        state.ended.wait(guard, [&] { return state.done; });
        return 1;
    }
    return state.ended.wait_for(guard, std::chrono::milliseconds(milliseconds), [&] { return state.done; }) ? 1 : 0;
}

PLINTH_API int ThreadKill(ThreadHandle thread)
{
    if (!thread)
        return 0;
    ThreadState& state = *thread->state;
    // While `done` is false under the lock the thread has not passed its end mark,
    // so its id still names it.
    std::lock_guard<std::mutex> guard(state.lock);
    if (state.done)
        return 1;
    return pthread_cancel(state.id) == 0 ? 1 : 0;
}

PLINTH_API int ThreadClose(ThreadHandle thread)
{
    std::unique_ptr<PlinthThread> owned(thread);
    return owned ? 1 : 0;
}
