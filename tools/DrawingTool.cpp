#include "DrawingTool.h"

#include <QGuiApplication>
#include <QTextStream>

int RunDrawingTool(int argc, char** argv, const char* usage,
                   const std::function<bool(const QDir&)>& draw) {
    // Only images are painted, so no display is needed.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "Usage: " << usage << '\n';
        return 2;
    }
    const QDir folder(args.at(1));
    if (!folder.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "Cannot create " << folder.path() << '\n';
        return 1;
    }
    return draw(folder) ? 0 : 1;
}
