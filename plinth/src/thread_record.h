#pragma once
// The record plinth keeps for every thread: the error-text buffer and the trace state.

namespace plinth {

struct ThreadRecord {
    char errorText[256] = {};
    const char* traceFunction = nullptr; // not owned
    int traceDepth = 0;
};

// The calling thread's record, made on first use and freed when the thread ends.
ThreadRecord* currentThreadRecord();

} // namespace plinth
