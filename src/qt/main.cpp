// quorvane: the game on the desktop.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTimer>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "core/Game.h"
#include "core/Startup.h"
#include "qt/DesktopWindows.h"
#include "qt/GameFolder.h"
#include "qt/QtDriver.h"
#include "qt/QtHost.h"
#include "sim/Script.h"

int main(int argc, char** argv) {
    // The game places its own frameless windows on the desktop, which a
    // Wayland session does not allow: run through XWayland there.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    q::GameApplication app(argc, argv);
    QApplication::setApplicationName("quorvane");
    // Qt's own buttons and menus (OK, キャンセル, はい, いいえ) in the game's language.
    if (!q::InstallQtTranslations(app)) std::cerr << "quorvane: Qt's Japanese translations are not installed\n";
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.setApplicationDescription("Quorvane: an arms shop on your desktop.");
    parser.addHelpOption();
    QCommandLineOption scriptOption("script", "Drive the game with a simulator script (for demos and checks).", "file");
    parser.addOption(scriptOption);
    parser.process(app);

    // A script named from the folder the program was started in.
    std::ifstream script;
    if (parser.isSet(scriptOption)) {
        script.open(parser.value(scriptOption).toStdString());
        if (!script) {
            std::cerr << "quorvane: cannot open " << parser.value(scriptOption).toStdString() << "\n";
            return 2;
        }
    }
    // Save files and records live in the game's own folder, wherever it is
    // started from; a script's `dir` may choose another.
    const std::filesystem::path folder = q::GameFolder(std::getenv("XDG_DATA_HOME"), QDir::homePath().toStdString());
    if (std::string error; !q::EnterGameFolder(folder, error)) {
        std::cerr << "quorvane: cannot use the folder " << folder.string() << ": " << error << "\n";
        return 2;
    }

    q::QtHost host;
    q::Game game(host);

    std::unique_ptr<q::QtDriver> driver;
    std::unique_ptr<q::ScriptRunner> runner;
    if (parser.isSet(scriptOption)) {
        driver = std::make_unique<q::QtDriver>(host);
        runner = std::make_unique<q::ScriptRunner>(*driver, [&]() -> q::Game& { return game; }, std::cout);
        // The program ends with the game, as when it is played. A script
        // that fails ends it too, with 1, so that a run that is timed or
        // chained never waits for a player; one that only runs out of lines
        // leaves the game to the player.
        QTimer::singleShot(0, [&] {
            try {
                runner->Run(script);
            } catch (const q::ScriptError& e) {
                std::cerr << "quorvane: script: " << e.what() << "\n";
                QCoreApplication::exit(1);
            }
        });
    } else {
        q::StartProgram(game);
    }
    if (game.Ended()) return 0;
    return QApplication::exec();
}
