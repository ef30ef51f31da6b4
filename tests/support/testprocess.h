#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>

// A program of the build run to its end, with what it wrote.
struct TestProcess {
    // The exit code; -1 when it did not finish in time, -2 when it crashed.
    int code = -1;
    QByteArray output;
    QByteArray errors;

    bool succeeded() const { return code == 0; }
    // Everything it wrote, for a failure report.
    QByteArray report() const { return output + errors; }

    static TestProcess
    run(const QString &program, const QStringList &arguments,
        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
};
