// One QApplication for a whole test program, made on first use (tests run offscreen), and
// QString in test messages.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QString>
#include <ostream>

inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << '"' << text.toStdString() << '"';
}

namespace halvoria::testing {

// Equal size and equal pixels (as 32-bit RGB); a failure names the first pixel that differs.
inline ::testing::AssertionResult SameImage(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size()) {
        return ::testing::AssertionFailure()
               << "size " << actual.width() << "x" << actual.height() << ", expected "
               << expected.width() << "x" << expected.height();
    }
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage b = expected.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << a.pixel(x, y)
                       << ", expected " << b.pixel(x, y);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

inline void EnsureQtApp() {
    static int argc = 1;
    static char name[] = "halvoria_qt_tests";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) new QApplication(argc, argv);
}

}  // namespace halvoria::testing
