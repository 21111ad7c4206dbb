// MsgBox on QMessageBox with the games' Japanese button captions.
#include "common/qt/MsgBox.h"

#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <utility>
#include <vector>

namespace halvoria {

namespace {

MsgBoxHandler& Handler() {
    static MsgBoxHandler handler;
    return handler;
}

struct ButtonChoice {
    const char* caption;
    QMessageBox::ButtonRole role;
    int answer;
};

std::vector<ButtonChoice> ButtonsFor(int code) {
    const ButtonChoice ok{"OK", QMessageBox::AcceptRole, kMsgBoxOk};
    const ButtonChoice cancel{"キャンセル", QMessageBox::RejectRole, kMsgBoxCancel};
    const ButtonChoice yes{"はい(&Y)", QMessageBox::YesRole, kMsgBoxYes};
    const ButtonChoice no{"いいえ(&N)", QMessageBox::NoRole, kMsgBoxNo};
    switch (code & 0xF) {
        case 1:
            return {ok, cancel};
        case 3:
            return {yes, no, cancel};
        case 4:
            return {yes, no};
        default:
            return {ok};
    }
}

QMessageBox::Icon IconFor(int code) {
    switch (code & 0x70) {
        case 16:
            return QMessageBox::Critical;
        case 32:
            return QMessageBox::Question;
        case 48:
            return QMessageBox::Warning;
        case 64:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

QString FromGameText(const std::string& utf8) {
    QString text = QString::fromStdString(utf8);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

}  // namespace

int MsgBox(QWidget* parent, const std::string& text, int code, const std::string& title) {
    if (Handler()) return Handler()(text, code, title);

    QMessageBox box(parent);
    box.setIcon(IconFor(code));
    box.setWindowTitle(QString::fromStdString(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(FromGameText(text));

    const std::vector<ButtonChoice> choices = ButtonsFor(code);
    std::vector<std::pair<QPushButton*, int>> buttons;
    buttons.reserve(choices.size());
    for (const ButtonChoice& choice : choices) {
        buttons.emplace_back(box.addButton(QString::fromUtf8(choice.caption), choice.role),
                             choice.answer);
    }
    const std::size_t preselected = std::min<std::size_t>((code >> 8) & 0x3, buttons.size() - 1);
    box.setDefaultButton(buttons[preselected].first);
    // Escape and the close button give the answer of the box's way out: Cancel, else No, else OK.
    QPushButton* wayOut = buttons.back().first;
    for (const auto& [button, answer] : buttons) {
        if (answer == kMsgBoxCancel || (answer == kMsgBoxNo && choices.size() == 2))
            wayOut = button;
    }
    box.setEscapeButton(wayOut);

    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    for (const auto& [button, answer] : buttons) {
        if (button == clicked) return answer;
    }
    for (const auto& [button, answer] : buttons) {
        if (button == wayOut) return answer;
    }
    return kMsgBoxOk;
}

void SetMsgBoxHandler(MsgBoxHandler handler) { Handler() = std::move(handler); }

}  // namespace halvoria
