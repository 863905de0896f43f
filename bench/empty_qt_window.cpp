// The floor the start-up benchmark holds the program against: an empty Qt
// Widgets window of the sheet's place and size, frameless and black, nothing
// else.
#include <QApplication>
#include <QPalette>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Empty"));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::black);
    window.setPalette(palette);
    window.setGeometry(274, 309, 651, 338);
    window.show();
    return application.exec();
}
