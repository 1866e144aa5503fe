#include "device/VQtForceIpAdder.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {
const char* const kPartPattern = "2[0-4]\\d|25[0-5]|[01]?\\d\\d?";
const char* const kAddressPattern =
    "((2[0-4]\\d|25[0-5]|[01]?\\d\\d?)\\.){3}(2[0-4]\\d|25[0-5]|[01]?\\d\\d?)";

// One whole part: 0 to 255.
const QRegularExpression& partExpression() {
    static const QRegularExpression part(QStringLiteral("^(%1)$").arg(QLatin1String(kPartPattern)));
    return part;
}
} // namespace

VQtForceIpAdder::VQtForceIpAdder(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            layout->addWidget(new QLabel(QStringLiteral(".")));
        auto* edit = new QLineEdit;
        edit->setObjectName(QStringLiteral("lineEditIpPart%1").arg(i));
        edit->setAlignment(Qt::AlignCenter);
        edit->setMaxLength(3);
        edit->setValidator(new QRegularExpressionValidator(partExpression(), edit));
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& text) { partEdited(i, text); });
        connect(edit, &QLineEdit::textChanged, this, [this] { emit textChanged(text()); });
        connect(edit, &QLineEdit::returnPressed, this, &VQtForceIpAdder::editingFinished);
        // Moving between the parts is still editing; leaving them all ends it.
        connect(edit, &QLineEdit::editingFinished, this, [this] {
            if (!isAncestorOf(QApplication::focusWidget()))
                emit editingFinished();
        });
        m_parts[i] = edit;
        layout->addWidget(edit, 1);
    }
    setFocusProxy(m_parts[0]);
}

VQtForceIpAdder::~VQtForceIpAdder() {
    // The parts lose the focus as they go, after this object is no longer one: they must not
    // reach it any more.
    for (QLineEdit* part : m_parts) {
        part->disconnect(this);
        part->removeEventFilter(this);
    }
}

QString VQtForceIpAdder::text() const {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(m_parts[0]->text(), m_parts[1]->text(), m_parts[2]->text(), m_parts[3]->text());
}

void VQtForceIpAdder::setText(const QString& address) {
    const QStringList parts = address.trimmed().split(QLatin1Char('.'));
    for (int i = 0; i < 4; ++i) {
        const QString value = parts.value(i);
        m_parts[i]->setText(partExpression().match(value).hasMatch() ? value : QString());
    }
}

bool VQtForceIpAdder::isComplete() const {
    return isAddress(text());
}

bool VQtForceIpAdder::isAddress(const QString& text) {
    static const QRegularExpression address(QStringLiteral("^%1$").arg(QLatin1String(kAddressPattern)));
    return address.match(text).hasMatch();
}

void VQtForceIpAdder::partEdited(int index, const QString& text) {
    // Three digits make a part whole: typing goes on in the next one.
    if (text.size() == 3 && index < 3 && m_parts[index]->cursorPosition() == 3)
        focusPart(index + 1, false);
}

void VQtForceIpAdder::focusPart(int index, bool atEnd) {
    QLineEdit* edit = m_parts[index];
    edit->setFocus();
    if (atEnd)
        edit->setCursorPosition(edit->text().size());
    else
        edit->selectAll();
}

bool VQtForceIpAdder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    int index = 0;
    while (index < 4 && m_parts[index] != watched)
        ++index;
    if (index == 4)
        return QWidget::eventFilter(watched, event);
    QLineEdit* edit = m_parts[index];
    auto* key = static_cast<QKeyEvent*>(event);
    const bool atStart = edit->cursorPosition() == 0 && !edit->hasSelectedText();
    const bool atEnd = edit->cursorPosition() == edit->text().size() && !edit->hasSelectedText();
    if (key->matches(QKeySequence::Paste)) {
        // A whole address fills every part; anything else is left to the part itself.
        const QString pasted = QGuiApplication::clipboard()->text().trimmed();
        if (pasted.count(QLatin1Char('.')) == 3) {
            setText(pasted);
            return true;
        }
        return false;
    }
    switch (key->key()) {
    case Qt::Key_Period:
    case Qt::Key_Comma:
        if (index < 3 && !edit->text().isEmpty())
            focusPart(index + 1, false);
        return true; // a dot never goes into a part
    case Qt::Key_Backspace:
        if (atStart && index > 0) {
            focusPart(index - 1, true);
            return true;
        }
        break;
    case Qt::Key_Left:
        if (atStart && index > 0) {
            focusPart(index - 1, true);
            return true;
        }
        break;
    case Qt::Key_Right:
        if (atEnd && index < 3) {
            m_parts[index + 1]->setFocus();
            m_parts[index + 1]->setCursorPosition(0);
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
