// Texts of result codes from the message file, opened once per process.
#include <cstdlib>
#include <mutex>

#include "errors_internal.h"
#include "plinth/lang.h"
#include "vorl/errors.h"

namespace {

constexpr const char* kNoFile = "Unable to open VORL message file";
constexpr const char* kNoText = "No error text available";

struct MessageFile {
  std::mutex lock;
  bool tryFile = true;
  Lang table = nullptr;
  int column = -1;
};

MessageFile& state() {
  static MessageFile file;
  return file;
}

} // namespace

namespace vorl {
void ResetErrorTexts() {
  MessageFile& s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  LangClose(s.table);
  s.table = nullptr;
  s.tryFile = true;
  s.column = -1;
}
} // namespace vorl

VORL_API const char* VORLGetError(int code) {
  MessageFile& s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  if (s.tryFile && s.table == nullptr) {
    // A failed opening is never retried: the caller sees the failure once.
    s.tryFile = false;
    const char* name = std::getenv("VORLMSGFILE");
    s.table = LangCreate(name != nullptr ? name : "vorl.msg");
    if (s.table == nullptr) return kNoFile;
    if (const char* language = std::getenv("VORLLANGUAGE")) s.column = LangGetId(s.table, language);
  }
  if (s.table == nullptr || code < 0) return kNoText;
  const char* text = nullptr;
  if (s.column >= 0) text = LangLoadString(s.table, static_cast<unsigned>(s.column), static_cast<unsigned>(code));
  if (text == nullptr || *text == '\0') text = LangLoadDefaultString(s.table, static_cast<unsigned>(code));
  return text != nullptr && *text != '\0' ? text : kNoText;
}
