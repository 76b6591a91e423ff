#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One part of the configuration report: a title over a table of text.
struct ReportSection
{
    QString title;
    QStringList columns;
    QList<QStringList> rows;

    bool operator==(const ReportSection &) const = default;
};

// What the configuration report says, before it is laid out on pages.
struct ReportContent
{
    QString runningText; // at the foot of every page
    QString heading;
    QList<ReportSection> sections;

    // The section of that title; nullptr when there is none.
    const ReportSection *section(const QString &title) const
    {
        for (const ReportSection &s : sections) {
            if (s.title == title)
                return &s;
        }
        return nullptr;
    }
};
