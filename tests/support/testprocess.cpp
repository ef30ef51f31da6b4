#include "testprocess.h"

#include <QProcess>

TestProcess TestProcess::run(const QString &program, const QStringList &arguments,
                             const QProcessEnvironment &environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    TestProcess result;
    // Generous: it fails only when the program hangs, however loaded the machine is.
    if (process.waitForFinished(120000))
        result.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    else {
        process.kill();
        process.waitForFinished();
    }
    result.output = process.readAllStandardOutput();
    result.errors = process.readAllStandardError();
    return result;
}
