// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SwapPreview.h"
#include "ui_SwapPreview.h"

#include "platform/Dialogs.h"
#include "print/QuestionDisplay.h"
#include "ui/DisplayRunsDelegate.h"
#include "ui/PreviewZoom.h"

#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace sorario {

SwapPreview::SwapPreview(PreviewDocument &document, PreviewQuestions &questions, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::SwapPreview>())
    , m_document(document)
    , m_questions(questions)
{
    m_ui->setupUi(this);
    m_pages = new QPrintPreviewWidget(&m_document.previewPrinter(), m_ui->pagesHost);
    m_ui->pagesHost->layout()->addWidget(m_pages);
    addPreviewZoom(*m_pages);
    addFitButtons(*m_pages, *m_ui->layoutQuestions);
    m_ui->lstDrawn->setItemDelegate(new DisplayRunsDelegate(m_ui->lstDrawn));
    connect(m_pages, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) {
        if (printer == &m_document.previewPrinter())
            m_printed = m_document.paintRequested() || m_printed;
    });
    connect(m_ui->cmdSwap, &QPushButton::clicked, this, &SwapPreview::cmdSwap_Click);
    connect(m_ui->cmdPrint, &QPushButton::clicked, this, &SwapPreview::cmdPrint_Click);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    listQuestions();
}

SwapPreview::~SwapPreview() = default;

void SwapPreview::listQuestions()
{
    m_ui->lstDrawn->clear();
    const QList<QList<QuestionRecord>> sheets = m_questions.sheets();
    for (qsizetype s = 0; s < sheets.size(); ++s) {
        auto *sheet = new QTreeWidgetItem(m_ui->lstDrawn, {QStringLiteral("%1 枚目").arg(s + 1)});
        sheet->setFlags(Qt::ItemIsEnabled);
        for (const DisplayLine &line : QuestionDisplayLines(sheets[s]))
            setDisplayLine(*new QTreeWidgetItem(sheet), line);
    }
    m_ui->lstDrawn->expandAll();
}

void SwapPreview::cmdSwap_Click()
{
    QTreeWidgetItem *item = m_ui->lstDrawn->currentItem();
    if (!item || !item->parent())
        return;
    const int sheet = m_ui->lstDrawn->indexOfTopLevelItem(item->parent());
    const int position = item->parent()->indexOfChild(item);
    if (!m_questions.swap(sheet, position))
        return;
    listQuestions();
    m_ui->lstDrawn->setCurrentItem(m_ui->lstDrawn->topLevelItem(sheet)->child(position));
    m_pages->updatePreview();
}

void SwapPreview::cmdPrint_Click()
{
    QPrintDialog dialog(&m_document.previewPrinter(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_pages->print();
    if (m_printed)
        accept();
}

} // namespace sorario
