// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FontChoiceDialog.h"

#include "settings/FontRule.h"
#include "ui/FontNames.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <algorithm>

namespace sorario {

namespace {

enum FaceRole { FamilyRole = Qt::UserRole };

// The sizes Japanese word processors offer.
const double OfferedSizes[] = {8, 9, 10, 10.5, 11, 12, 14, 16, 18, 20, 24, 28, 32, 36, 40};

// Digits as a Japanese input method types them count too.
QString halfWidth(const QString &text)
{
    return text.normalized(QString::NormalizationForm_KC).trimmed();
}

QString sizeText(double size)
{
    return QString::number(size, 'g', 4);
}

} // namespace

FontChoiceDialog::FontChoiceDialog(const QString &face, double size, bool scalableOnly, QWidget *parent)
    : QDialog(parent)
    , m_faces(new QListWidget(this))
    , m_size(new QComboBox(this))
    , m_sample(new QLabel(QStringLiteral("あいうえお　アイウエオ　漢字　AaBbCc"), this))
    , m_storedFace(face)
{
    setObjectName(QStringLiteral("FontChoiceDialog"));
    setWindowTitle(QStringLiteral("フォントの選択"));
    m_faces->setObjectName(QStringLiteral("lstFaces"));
    m_size->setObjectName(QStringLiteral("cboSize"));
    m_sample->setObjectName(QStringLiteral("labSample"));

    m_size->setEditable(true);
    m_size->setInsertPolicy(QComboBox::NoInsert);
    for (double offered : OfferedSizes)
        m_size->addItem(sizeText(offered));
    m_size->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9０-９]{1,3}([.．][0-9０-９]{0,2})?")), m_size));
    m_size->setEditText(size > 0 ? sizeText(size) : QString());

    m_sample->setFrameShape(QFrame::StyledPanel);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setFixedHeight(84);
    m_sample->setMinimumWidth(420);

    auto *buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *faceLabel = new QLabel(QStringLiteral("フォント名(&F)"), this);
    faceLabel->setBuddy(m_faces);
    auto *sizeLabel = new QLabel(QStringLiteral("大きさ(&S)"), this);
    sizeLabel->setBuddy(m_size);
    auto *grid = new QGridLayout(this);
    grid->addWidget(faceLabel, 0, 0);
    grid->addWidget(sizeLabel, 0, 1);
    grid->addWidget(m_faces, 1, 0);
    grid->addWidget(m_size, 1, 1, Qt::AlignTop);
    grid->addWidget(new QLabel(QStringLiteral("見本"), this), 2, 0, 1, 2);
    grid->addWidget(m_sample, 3, 0, 1, 2);
    grid->addWidget(buttons, 4, 0, 1, 2);
    grid->setColumnStretch(0, 1);

    fillFaces(face, scalableOnly);
    connect(m_faces, &QListWidget::currentRowChanged, this, &FontChoiceDialog::refresh);
    connect(m_size, &QComboBox::editTextChanged, this, &FontChoiceDialog::refresh);
    refresh();
    resize(520, 460);
}

void FontChoiceDialog::fillFaces(const QString &face, bool scalableOnly)
{
    struct Face
    {
        QString shown, family;
        bool japanese;
    };
    QList<Face> faces;
    const QStringList families = QFontDatabase::families();
    for (const QString &family : families) {
        if (QFontDatabase::isPrivateFamily(family) || (scalableOnly && !QFontDatabase::isScalable(family)))
            continue;
        const bool japanese = QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
        const QString name = japanese ? japaneseFamilyName(family) : QString();
        faces.append({name.isEmpty() ? family : name, family, japanese});
    }
    // The sheets are Japanese: the faces that can print them come first.
    std::stable_sort(
        faces.begin(), faces.end(), [](const Face &a, const Face &b) { return a.japanese && !b.japanese; });

    // The stored face itself, else the first installed font that stands in for it.
    QStringList wanted {face};
    wanted += QFont::substitutes(face);
    int row = -1;
    for (const QString &name : std::as_const(wanted)) {
        for (int i = 0; i < faces.size() && row < 0; ++i)
            if (faces[i].shown.compare(name, Qt::CaseInsensitive) == 0
                || faces[i].family.compare(name, Qt::CaseInsensitive) == 0)
                row = i;
        if (row >= 0)
            break;
    }
    for (const Face &f : std::as_const(faces)) {
        auto *item = new QListWidgetItem(f.shown, m_faces);
        item->setData(FamilyRole, f.family);
    }
    if (row >= 0 && faces[row].shown.compare(face, Qt::CaseInsensitive) != 0
        && faces[row].family.compare(face, Qt::CaseInsensitive) != 0)
        m_standInRow = row;
    m_faces->setCurrentRow(std::max(row, 0));
    if (m_faces->currentItem())
        m_faces->scrollToItem(m_faces->currentItem(), QAbstractItemView::PositionAtCenter);
}

std::optional<double> FontChoiceDialog::typedSize() const
{
    bool ok = false;
    const double size = halfWidth(m_size->currentText()).toDouble(&ok);
    return ok ? std::optional<double>(size) : std::nullopt;
}

void FontChoiceDialog::refresh()
{
    const std::optional<double> size = typedSize();
    const QListWidgetItem *item = m_faces->currentItem();
    m_ok->setEnabled(size.has_value() && item);
    if (!item)
        return;
    QFont sample(item->data(FamilyRole).toString());
    // Outside what the sheet allows the sample stays readable; the set-up window refuses.
    sample.setPointSizeF(std::clamp(size.value_or(10.0), double(MinFontSize), double(MaxFontSize)));
    m_sample->setFont(sample);
}

std::optional<FontChoice> FontChoiceDialog::choice() const
{
    const std::optional<double> size = typedSize();
    const QListWidgetItem *item = m_faces->currentItem();
    if (!size || !item)
        return std::nullopt;
    // Staying on the stand-in keeps the stored name, so settings files stay portable
    // to machines that have the original font.
    const QString face = m_faces->currentRow() == m_standInRow ? m_storedFace : item->text();
    return FontChoice {face, *size};
}

} // namespace sorario
