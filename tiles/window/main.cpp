// Starts Quendle: one fixed-size window titled "Colvane".
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Colvane");
    window.show();
    return app.exec();
}
