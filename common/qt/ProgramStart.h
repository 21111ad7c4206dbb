// Start-up shared by both programs: the command line, the desktop identity, and one plain line
// instead of an abort when no display can be opened.
#pragma once

#include <QApplication>
#include <QString>
#include <memory>

namespace halvoria {

struct ProgramIdentity {
    const char* name;             // the program's name and its X11 window class, "Zorvat"
    const char* desktopFileName;  // its desktop entry without ".desktop", the Wayland app id
    const char* description;      // one line for --help
};

// Either the application to run, or the status to end with at once.
struct ProgramStart {
    std::unique_ptr<QApplication> application;
    int exitStatus = 0;
};

// Answers -h/--help and -v/--version on standard output without opening a display (status 0)
// and ignores any other argument. Otherwise opens the application with the program's identity;
// when no display can be opened, says so in one line on standard error (status 1). `argc` must
// outlive the application.
ProgramStart StartProgram(int& argc, char** argv, const ProgramIdentity& identity);

}  // namespace halvoria
