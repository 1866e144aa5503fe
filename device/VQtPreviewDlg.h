// The preview behind the "..." button of a board parameter chosen from a list of methods: tap
// arrangement, integration and strobe trigger methods, software trigger polarity. It shows a
// picture of what the selected entry means (the frame's tap regions and readout directions, or
// a timing chart labelled with the board's current delays and widths) and lets the user pick
// another entry while looking at it.
#ifndef VQTPREVIEWDLG_H
#define VQTPREVIEWDLG_H

#include <QDialog>
#include <functional>

#include "device/VQtTimingChart.h"

class QComboBox;
class QLabel;
struct VQtTapGeometry;

class VQtPreviewDlg : public QDialog {
    Q_OBJECT

public:
    enum Kind { None, TapArrangement, Integration, Strobe, SoftwareTrigger };
    // The board's current value of a parameter, by its name ("VNP_STROBE_PARAM1"), with its unit
    // ("10 us"); empty when the board has no such parameter.
    using ValueText = std::function<QString(const QString& parameter)>;

    // Which preview a parameter has, by its name.
    static Kind kindOf(const QString& feature);

    // entries: the parameter's entries in list order; current: the one set now.
    VQtPreviewDlg(Kind kind, const QStringList& entries, const QString& current, ValueText values,
                  QWidget* parent = nullptr);
    QString selectedEntry() const;

    // The pictures, also for tests and screenshots.
    static QImage tapPicture(const QString& geometry, const QSize& size);
    static VQtTimingChart integrationChart(int method, const ValueText& values);
    static VQtTimingChart strobeChart(int method, const ValueText& values);
    static VQtTimingChart softwareTriggerChart(bool activeHigh, const ValueText& values);
    // What the entry means, one or two sentences.
    static QString caption(Kind kind, const QString& entry);

private:
    void showEntry();
    static void paintTapRegion(QPainter& p, const QRectF& r, const VQtTapGeometry& g, int rx, int ry);

    Kind m_kind;
    ValueText m_values;
    QComboBox* m_entries;
    QLabel* m_picture;
    QLabel* m_caption;
};

#endif // VQTPREVIEWDLG_H
