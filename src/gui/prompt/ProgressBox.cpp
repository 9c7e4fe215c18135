#include "gui/prompt/ProgressBox.h"

#include "core/base/ProgressJob.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

ProgressBox::ProgressBox(const QString& caption, ProgressJob& job, QWidget* parent)
    : QDialog(parent), m_job(job), m_text(new QLabel(this)), m_cancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("ProgressBox"));
    setWindowTitle(caption);
    setModal(true);
    m_text->setObjectName(QStringLiteral("ProgressText"));
    m_text->setMinimumWidth(320);
    m_text->setAccessibleName(caption);
    auto* bar = new QProgressBar(this);
    bar->setRange(0, 0); // busy: the amount of work is not known ahead
    bar->setAccessibleName(caption);
    m_cancel->setObjectName(QStringLiteral("ProgressCancel"));
    m_cancel->setAccessibleName(m_cancel->text());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(bar);
    layout->addWidget(m_cancel, 0, Qt::AlignRight);
    connect(m_cancel, &QPushButton::clicked, this, &ProgressBox::reject);
    connect(&job, &ProgressJob::progressed, m_text, &QLabel::setText);
    connect(&job, &ProgressJob::finished, this, &QDialog::accept);
}

void ProgressBox::run()
{
    m_job.start();
    if (!m_job.isFinished())
        exec();
}

void ProgressBox::reject()
{
    // The box stays until the job confirms it has stopped.
    m_cancel->setEnabled(false);
    m_text->setText(QStringLiteral("Stopping..."));
    m_job.cancel();
}
