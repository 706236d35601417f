// Sets an environment variable for the life of the object, then puts the old value back.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value) : name_(name), had_(qEnvironmentVariableIsSet(name))
    {
        old_ = qgetenv(name);
        qputenv(name, QFile::encodeName(value));
    }
    ~ScopedEnv()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};
