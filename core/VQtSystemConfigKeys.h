#ifndef VQTSYSTEMCONFIGKEYS_H
#define VQTSYSTEMCONFIGKEYS_H

// The keys of the settings file, in the order both load and save handle them, with the kind
// of value each holds and the limits of the numeric ones. Loading and the Preferences dialog
// both take their limits from here, so they cannot disagree.

#include <QSettings>
#include <QStringList>
#include <QVector>

class VQtSystemParam;

// Lowest and highest value a numeric setting may take. Empty (minimum > maximum) for keys
// that hold no number.
struct VQtConfigRange {
    qint64 minimum = 1;
    qint64 maximum = 0;
    bool isEmpty() const { return minimum > maximum; }
    bool contains(qint64 v) const { return v >= minimum && v <= maximum; }
};

// One value of the settings file that could not be used, or the file itself, found while
// loading.
struct VQtConfigIssue {
    enum Reason {
        NotANumber,
        OutOfRange,
        NotABool,
        FileIsFolder, // the file's own problems: `key` holds its path
        FileUnreadable,
        FileMalformed,
        FileUndecodable,
        FolderReadOnly, // a save could not replace the file
        FileReadOnly,
    };
    Reason reason = NotANumber;
    QString key;      // as in the file, "UI/" prefix included
    QString value;    // the text found, shortened to one line
    QString fallback; // the default used instead
    VQtConfigRange range;
    // One line for the log, in the current language.
    QString text() const;
};

// Every persisted key, "UI/" prefix included, in file order.
QStringList systemConfigKeys();
// The limits of a numeric key; an empty range for others and for unknown keys.
VQtConfigRange systemConfigRange(const QString& key);
// Reads every key into `prm`. A missing key keeps the field's current value; a value that is
// not of the key's kind or lies outside its limits gives the field its default, and one issue
// naming the key is added to `issues`.
void readSystemConfig(QSettings& settings, VQtSystemParam& prm, QVector<VQtConfigIssue>* issues = nullptr);
void writeSystemConfig(QSettings& settings, const VQtSystemParam& prm);
// Whether the settings at `path`, just read through `settings`, could be read and can be
// saved again; adds an issue for each problem.
void checkSystemConfigFile(const QString& path, const QSettings& settings, QVector<VQtConfigIssue>* issues);
// The first key whose field in `prm` lies outside its limits; empty when all are within.
QString systemConfigOutOfRange(const VQtSystemParam& prm);

#endif // VQTSYSTEMCONFIGKEYS_H
