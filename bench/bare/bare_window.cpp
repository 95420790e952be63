// A bare Qt window, the yardstick of the start-up benchmark: a program that links Qt
// Widgets only, shows an empty window and prints the clock when it is first exposed.
#include "../FirstExpose.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(800, 600);
    FirstExpose watch([](QWindow*) { return true; });
    app.installEventFilter(&watch);
    window.show();
    return app.exec();
}
