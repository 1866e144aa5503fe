// An IPv4 address typed as four parts, the way network tools show it: each part takes 0 to 255,
// a dot or a third digit moves on to the next part, Backspace in an empty part goes back, and
// a whole address pasted into any part fills all four. The forced-address dialog and the
// address rows of the camera feature tree use it.
#ifndef VQTFORCEIPADDER_H
#define VQTFORCEIPADDER_H

#include <QWidget>

class QLineEdit;

class VQtForceIpAdder : public QWidget {
    Q_OBJECT

public:
    explicit VQtForceIpAdder(QWidget* parent = nullptr);
    ~VQtForceIpAdder() override;

    // "%1.%2.%3.%4" of the four parts, empty parts left empty.
    QString text() const;
    // Fills the parts from an address; parts a text does not give are left empty.
    void setText(const QString& address);
    // Whether the parts form a complete address.
    bool isComplete() const;
    // Whether a text is a complete IPv4 address.
    static bool isAddress(const QString& text);
    QLineEdit* part(int index) const { return m_parts[index]; }

signals:
    void textChanged(const QString& address);
    // Enter in a part, or the keyboard focus left the four parts.
    void editingFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void partEdited(int index, const QString& text);
    void focusPart(int index, bool atEnd);

    QLineEdit* m_parts[4];
};

#endif // VQTFORCEIPADDER_H
