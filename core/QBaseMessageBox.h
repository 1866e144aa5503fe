#ifndef QBASEMESSAGEBOX_H
#define QBASEMESSAGEBOX_H

#include "core/QBaseDialog.h"

class QLabel;
class QPushButton;

// The one informational / warning box of the application.
class QBaseMessageBox : public QBaseDialog {
    Q_OBJECT
public:
    enum BaseStandardButton { NoButton = 0, Yes = 512, No = 1024, YesNo = 2048 };
    enum BaseIcon { Information = 0, Warning = 1, Error = 2 };

    // Both return Yes when "Yes" was pressed, No when "No" was pressed or the box was closed.
    static int information(QWidget* parent, const QString& title, const QString& text, int buttons = Yes,
                           int defaultButton = Yes);
    static int warning(QWidget* parent, const QString& title, const QString& text, int buttons = Yes,
                       int defaultButton = Yes);

    QBaseMessageBox(QWidget* parent, BaseIcon icon, const QString& title, const QString& text,
                    int buttons = Yes, int defaultButton = Yes);
    ~QBaseMessageBox() override;

    int resultCode() const { return m_nResult; }
    QPushButton* yesButton() const { return m_pYes; }
    QPushButton* noButton() const { return m_pNo; }
    QLabel* iconLabel() const { return m_pIcon; }
    QLabel* textLabel() const { return m_pText; }
    // Resource path of an icon code; unknown codes fall back to the information picture.
    static QString iconPath(int icon);

private:
    void slotYes();
    void slotNo();

    QLabel* m_pIcon = nullptr;
    QLabel* m_pText = nullptr;
    QPushButton* m_pYes = nullptr;
    QPushButton* m_pNo = nullptr;
    int m_nResult = No;
};

#endif // QBASEMESSAGEBOX_H
