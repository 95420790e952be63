// Tradewright's entry point. Until the start-up sequence lands it opens an empty
// main window.
#include "core/Connect.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tradewright"));
    QApplication::setApplicationVersion(QStringLiteral(TW_VERSION));
    installShellRefusalLogging();
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tradewright"));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
