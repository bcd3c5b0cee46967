#pragma once

#include <QComboBox>

// A drop-down list that makes its popup list only when it is first opened.
// Qt's list makes its popup, and lays out every item of it, as soon as its
// font or style changes, which the window's look does to each of its twelve
// lists before they are shown: an eighth of the editor's start-up. Until the
// popup exists there is nothing of it to update; when it is made it takes the
// list's font, style, palette and delegate.
class DropDownList : public QComboBox {
    Q_OBJECT

public:
    using QComboBox::QComboBox;

protected:
    void changeEvent(QEvent* event) override;
};
