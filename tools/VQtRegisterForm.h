// The form both register windows share: address and value fields with their validators,
// "Read" and "Write" buttons, a busy indicator and the log.
#ifndef VQTREGISTERFORM_H
#define VQTREGISTERFORM_H

class QBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;
class VQtLogTextEdit;

struct VQtRegisterForm {
    QLabel* addressLabel = nullptr;
    QLabel* valueLabel = nullptr;
    QLineEdit* address = nullptr;
    QLineEdit* value = nullptr;
    QPushButton* read = nullptr;
    QPushButton* write = nullptr;
    QProgressBar* busy = nullptr;
    VQtLogTextEdit* log = nullptr;
    QBoxLayout* buttons = nullptr; // room for more buttons

    // hexValue: the value field takes hexadecimal digits, else a decimal integer or fraction.
    void build(QWidget* window, bool hexValue);
};

#endif // VQTREGISTERFORM_H
