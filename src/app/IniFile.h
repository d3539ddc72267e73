#pragma once
// PLACEHOLDER: being written; replaced as a whole.
#include <QString>
class TIniFile {
public:
    explicit TIniFile(const QString& path) : path_(path) {}
    const QString& Path() const { return path_; }
private:
    QString path_;
};
