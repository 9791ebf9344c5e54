#pragma once

// The real binary in a private home: its data, settings and socket never touch the user's.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

inline QProcessEnvironment privateHome(const QTemporaryDir& home, const QString& platform)
{
    QDir().mkdir(home.filePath(u"run"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"HOME"_s, home.path());
    env.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));
    env.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
    env.insert(u"XDG_RUNTIME_DIR"_s, home.filePath(u"run"_s));
    env.insert(u"QT_QPA_PLATFORM"_s, platform);
    return env;
}

inline bool listening(const QTemporaryDir& home)
{
    return !QDir(home.filePath(u"run"_s)).entryList({ u"*.sock"_s }, QDir::System).isEmpty();
}

struct Outcome {
    int exitCode; // -1 when it crashed or did not finish
    QString out;
    QString err;

    [[nodiscard]] QString all() const { return QString::number(exitCode) + u'|' + out + u'|' + err; }
};

inline Outcome runBinary(
    const QProcessEnvironment& env, const QStringList& args, const QByteArray& input = {})
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ZETTELWERK_BINARY), args);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000))
        return { -1, {}, QStringLiteral("did not finish") };
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError()) };
}
