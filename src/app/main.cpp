#include "appearance.h"
#include "cli.h"
#include "clistream.h"
#include "log.h"
#include "notestore.h"
#include "screenshot.h"
#include "singleinstance.h"
#include "zettelwerkapp.h"

#include <QApplication>
#include <QFile>
#include <QQuickWindow>
#include <QtQml/QQmlExtensionPlugin>

#include <csignal>
#include <cstdio>

#include <unistd.h>

Q_IMPORT_QML_PLUGIN(Zettelwerk_UiPlugin)

namespace {

void print(const QString& text, FILE* stream)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

int finish(const Cli::Result& result)
{
    print(result.out, stdout);
    print(result.err, stderr);
    return result.exitCode;
}

// Diagnostics of a command go to stderr, so that its output (`list --json`) stays clean.
void logToStandardError()
{
    Log::setSink([](const QString& line) { print(line + QLatin1Char('\n'), stderr); });
}

int runCommand(int argc, char** argv, const QStringList& args)
{
    // Commands answer in German with their own reasons; the store's English log lines are for
    // finding faults and shown only when asked for.
    if (qEnvironmentVariableIsSet("ZETTELWERK_DEBUG"))
        logToStandardError();
    else
        Log::setSink([](const QString&) {});
    QCoreApplication app(argc, argv);
    const QString dataDirectory = NoteStore::defaultDataDirectory();
    auto prepared = Cli::prepare(args);
    if (const auto* refused = std::get_if<Cli::Result>(&prepared))
        return finish(*refused);
    const Cli::Request& request = std::get<Cli::Request>(prepared);
    if (Cli::changesData(args)) {
        // The running app keeps the file; it must make the change, or its next save would undo it.
        const auto encoded = [&request] { return Cli::encodeRequest(request); };
        if (const auto answer = SingleInstance::send(dataDirectory, encoded))
            return finish(Cli::decodeResult(*answer));
    }
    QFile out;
    if (out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (const auto streamed = CliStream::run(request, NoteStore::dataFilePath(dataDirectory), out))
            return *streamed;
    }
    NoteStore store(dataDirectory);
    return finish(Cli::execute(request, store, isatty(STDOUT_FILENO) == 1));
}

// The panel is small and the app stays resident all day: drawn by the CPU it spares the GPU
// driver's memory (over 100 MB with Mesa's) and its threads. QT_QUICK_BACKEND still chooses another;
// no variable is set, so launched programs do not inherit the choice.
void preferSoftwareRendering()
{
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

int runScreenshot(int argc, char** argv, const QStringList& args)
{
    const auto read = Cli::readScreenshotRequest(args);
    if (const auto* reason = std::get_if<QString>(&read))
        return finish({ 1, {}, *reason + QLatin1Char('\n') });
    const Cli::ScreenshotRequest& request = std::get<Cli::ScreenshotRequest>(read);
    logToStandardError();
    Screenshot::prepareEnvironment();
    preferSoftwareRendering();
    QApplication app(argc, argv);
    // A fixed moment makes pictures of the same data look the same on any day.
    const Clock clock = request.now ? Clock([now = *request.now] { return now; }) : systemClock();
    NoteStore store(NoteStore::defaultDataDirectory(), clock);
    Appearance::instance().setDark(request.dark);
    QString error;
    if (!renderScreenshot(store, request.screen, request.outPng, request.day, &error))
        return finish({ 1, {}, error + QLatin1Char('\n') });
    return finish({ 0, QStringLiteral("Bild gespeichert: %1\n").arg(request.outPng), {} });
}

// Loads everything the tray app loads, without showing anything, and reports what failed.
int runSelfTest(ZettelwerkApp& zettelwerk)
{
    bool warned = false;
    if (!zettelwerk.loadPanel()) {
        print(QStringLiteral("Selbsttest fehlgeschlagen: das Panel ließ sich nicht laden\n"), stderr);
        return 1;
    }
    QObject::connect(zettelwerk.panel(), &QQuickWindow::sceneGraphError, [&warned] { warned = true; });
    zettelwerk.showPanel();
    const QImage frame = zettelwerk.panel()->grabWindow();
    if (frame.isNull() || warned) {
        print(QStringLiteral("Selbsttest fehlgeschlagen: das Panel ließ sich nicht zeichnen\n"), stderr);
        return 1;
    }
    print(QStringLiteral("Selbsttest bestanden\n"), stdout);
    return 0;
}

int runApp(int argc, char** argv, bool selfTest)
{
    const QString dataDirectory = NoteStore::defaultDataDirectory();
    const QByteArray showPanel = Cli::encodeRequest({});
    // Asked before any window system is touched, so a second start works even without a display.
    if (!selfTest) {
        if (const auto answer = SingleInstance::send(dataDirectory, showPanel))
            return finish(Cli::decodeResult(*answer));
    }

    if (selfTest && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    preferSoftwareRendering();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zettelwerk"));
    QApplication::setOrganizationName(QStringLiteral("Zettelwerk"));
    QApplication::setApplicationVersion(QStringLiteral(ZETTELWERK_VERSION));
    // Ties the windows to the installed zettelwerk.desktop (name and icon in task switchers).
    QGuiApplication::setDesktopFileName(QStringLiteral("zettelwerk"));
    QApplication::setQuitOnLastWindowClosed(false);

    ZettelwerkApp* zettelwerk = nullptr;
    SingleInstance instance(dataDirectory);
    const auto handler
        = [&zettelwerk](const QByteArray& request) { return zettelwerk->handleRequest(request); };
    if (!selfTest && !instance.listen(handler)) {
        // Another start won the race in the meantime.
        const auto answer = SingleInstance::send(dataDirectory, showPanel);
        return finish(answer ? Cli::decodeResult(*answer) : Cli::Result {});
    }

    ZettelwerkApp application(dataDirectory);
    zettelwerk = &application;
    if (!application.start()) {
        print(QStringLiteral("Das Panel konnte nicht geladen werden\n"), stderr);
        return 1;
    }
    if (selfTest)
        return runSelfTest(application);
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    // Past a file size limit (ulimit -f) a write should fail and be reported, not end the process.
    std::signal(SIGXFSZ, SIG_IGN);
    const QStringList args = Cli::argumentsFrom(argc, argv);

    switch (Cli::modeOf(args)) {
    case Cli::Mode::Help:
        print(Cli::helpText(), stdout);
        return 0;
    case Cli::Mode::Version:
        print(Cli::versionText(), stdout);
        return 0;
    case Cli::Mode::Command:
        return runCommand(argc, argv, args);
    case Cli::Mode::Screenshot:
        return runScreenshot(argc, argv, args);
    case Cli::Mode::SelfTest:
        return runApp(argc, argv, true);
    case Cli::Mode::Gui:
        break;
    }
    return runApp(argc, argv, false);
}
