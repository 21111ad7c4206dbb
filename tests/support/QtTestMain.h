// The folder that holds the settings file of a test program that runs on
// tests/support/QtTestMain.cpp.
#pragma once

#include <QString>

namespace halvoria::testing {

// The private XDG_CONFIG_HOME made for this test program; the store file is "Halvoria.ini" in it.
QString ConfigFolder();

}  // namespace halvoria::testing
