// Opening a news attachment as a document through the desktop, never by
// running it: the News dialog's "&View" and the News window's file command.
#pragma once

#include <functional>
#include <string>

// The desktop's open of a document; true when the desktop took the file. The
// windowed program installs it; until then nothing can be opened.
std::function<bool(const std::string& path)>& KvDesktopOpener();

// Opens the file: 0 on success, else the shell's error code (2 no such file,
// 3 no such folder, 5 not readable, 31 nothing on the desktop opens it), whose
// text has been shown in a stop box.
int KvOpenNewsDocument(const std::string& path);
// The text of a shell error code.
std::string KvShellErrorText(int code);

// The News window's file command for a head's attachment name: the file in
// the "NewsPath" folder of section "NEWS", fetched from the news location
// when it is not there, then opened. An empty name does nothing; a name that
// is not a plain base name is refused with a message. 0 when opened.
int KvOpenNewsAttachment(const std::string& fileName);
