// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace sorario {

// The font choice: installed faces under their Japanese names, a Japanese sample,
// and sizes with a decimal (10.5), typed or picked. It only reports what the teacher
// chose; whether the size is allowed is the set-up window's to say.
class FontChoiceDialog : public QDialog
{
    Q_OBJECT

public:
    // A stored face that is not installed opens on the font that prints in its place.
    FontChoiceDialog(const QString &face, double size, bool scalableOnly, QWidget *parent = nullptr);

    // Nothing while the size box holds no number.
    std::optional<FontChoice> choice() const;

private:
    void fillFaces(const QString &face, bool scalableOnly);
    std::optional<double> typedSize() const;
    void refresh();

    QListWidget *m_faces = nullptr;
    QComboBox *m_size = nullptr;
    QLabel *m_sample = nullptr;
    QPushButton *m_ok = nullptr;
    QString m_storedFace; // kept when the teacher stays on its stand-in
    int m_standInRow = -1;
};

} // namespace sorario
