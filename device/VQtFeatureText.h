// Chinese display names of camera features and board parameters and Chinese texts of their
// enumeration entries. The library installation may ship its own tables ("Language\Feature.ini"
// and "Language\Value.ini" in its bin folder); without them, or when one cannot be read, the
// program's built-in tables are used.
#ifndef VQTFEATURETEXT_H
#define VQTFEATURETEXT_H

#include <QHash>
#include <QString>
#include <QStringList>

class VQtFeatureText {
public:
    // The tables the program uses, loaded on first use from the library installation.
    static VQtFeatureText& instance();

    // Loads both tables: from binDir (the installation's bin folder) when it holds them, else
    // from the built-in resources. An empty binDir means the built-in tables only.
    void load(const QString& binDir);
    // One line per table file that was refused, naming it and why; emptied by the call.
    QStringList takeMessages();

    // The Chinese name of a feature; a unit "(ns)", "(us)" or "(ms)" at the end is kept as it
    // stands. Names the table lacks come back unchanged.
    QString featureName(const QString& english) const;
    QString valueText(const QString& english) const;

    // The bin folder of the library installation, or empty when none is recorded.
    static QString libraryBinDir();
    // Splits "Strobe Delay(us)" into "Strobe Delay" and "(us)"; other names have no unit.
    static QString splitUnit(const QString& name, QString* unit);

private:
    QHash<QString, QString> loadTable(const QString& binDir, const QString& fileName,
                                      const QString& resource);
    static bool readTable(const QString& path, QHash<QString, QString>* table, QString* reason);

    QHash<QString, QString> m_features;
    QHash<QString, QString> m_values;
    QStringList m_messages;
};

#endif // VQTFEATURETEXT_H
