// The reference for start-up and memory figures: the plainest Qt window with a menu bar.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("BareWindow"));
    window.menuBar()
        ->addMenu(QStringLiteral("File"))
        ->addAction(QStringLiteral("Quit"), &app, &QApplication::quit);
    window.setCentralWidget(new QWidget);
    window.setFixedSize(626, 453);
    window.show();
    return app.exec();
}
