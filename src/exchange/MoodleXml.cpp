// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/MoodleXml.h"

#include "exchange/InlineHtml.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace sorario {
namespace {

void writeText(
    QXmlStreamWriter &xml, const QString &element, const QString &format, const QString &text, bool html)
{
    xml.writeStartElement(element);
    if (!format.isEmpty())
        xml.writeAttribute(QStringLiteral("format"), format);
    xml.writeStartElement(QStringLiteral("text"));
    if (html && !text.isEmpty())
        xml.writeCDATA(text);
    else
        xml.writeCharacters(text);
    xml.writeEndElement();
    xml.writeEndElement();
}

void writeCategory(QXmlStreamWriter &xml, const BankCategory &category)
{
    xml.writeStartElement(QStringLiteral("question"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("category"));
    writeText(xml, QStringLiteral("category"), {}, categoryPath(category.title), false);
    if (!category.header.isEmpty())
        writeText(xml, QStringLiteral("info"), QStringLiteral("moodle_auto_format"),
            headerNote(category.header), false);
    xml.writeEndElement();
}

// The question's start, the same for every kind.
void writeQuestionHead(QXmlStreamWriter &xml, const QString &type, int number, const BankQuestion &question)
{
    const QString html = QStringLiteral("html");
    xml.writeStartElement(QStringLiteral("question"));
    xml.writeAttribute(QStringLiteral("type"), type);
    writeText(xml, QStringLiteral("name"), {}, questionName(number, question.text), false);
    writeText(xml, QStringLiteral("questiontext"), html, lineToInlineHtml(question.text), true);
    writeText(xml, QStringLiteral("generalfeedback"), html, lineToInlineHtml(question.hint), true);
    xml.writeTextElement(QStringLiteral("defaultgrade"), QStringLiteral("1"));
    xml.writeTextElement(QStringLiteral("penalty"), QStringLiteral("0.3333333"));
    xml.writeTextElement(QStringLiteral("hidden"), QStringLiteral("0"));
}

void writeShortAnswer(QXmlStreamWriter &xml, int number, const BankQuestion &question)
{
    writeQuestionHead(xml, QStringLiteral("shortanswer"), number, question);
    xml.writeTextElement(QStringLiteral("usecase"), QStringLiteral("0"));
    xml.writeStartElement(QStringLiteral("answer"));
    xml.writeAttribute(QStringLiteral("fraction"), QStringLiteral("100"));
    xml.writeAttribute(QStringLiteral("format"), QStringLiteral("moodle_auto_format"));
    xml.writeTextElement(QStringLiteral("text"), question.answer);
    xml.writeEndElement();
    xml.writeEndElement();
}

// The choices as the hint line has them, so that the learning system shuffles them.
void writeMultipleChoice(QXmlStreamWriter &xml, int number, const BankQuestion &question)
{
    writeQuestionHead(xml, QStringLiteral("multichoice"), number, question);
    xml.writeTextElement(QStringLiteral("single"), QStringLiteral("true"));
    xml.writeTextElement(QStringLiteral("shuffleanswers"), QStringLiteral("true"));
    xml.writeTextElement(QStringLiteral("answernumbering"), QStringLiteral("abc"));
    for (const QString &choice : question.choices) {
        xml.writeStartElement(QStringLiteral("answer"));
        xml.writeAttribute(QStringLiteral("fraction"),
            choice == question.answer ? QStringLiteral("100") : QStringLiteral("0"));
        xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
        xml.writeStartElement(QStringLiteral("text"));
        xml.writeCDATA(lineToInlineHtml(choice));
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

// The text of an element holding <text>; the reader after its end.
QString readRawText(QXmlStreamReader &xml)
{
    QString text;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"text")
            text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        else
            xml.skipCurrentElement();
    }
    return text;
}

QString readText(QXmlStreamReader &xml)
{
    const bool html = xml.attributes().value(QLatin1String("format")) == u"html";
    const QString text = readRawText(xml);
    return html ? inlineHtmlToLine(text) : plainTextToLine(text);
}

struct Reading
{
    QXmlStreamReader &xml;
    BankFileRead &result;

    void refuse(OnlineFault kind, int line, const QString &detail = {})
    {
        result = BankFileRead::failed(kind, detail, line);
        xml.raiseError();
    }

    void readCategory()
    {
        BankCategory category;
        std::optional<QStringList> header;
        while (xml.readNextStartElement()) {
            if (xml.name() == u"category")
                category.title = categoryTitle(readText(xml));
            else if (xml.name() == u"info")
                header = headerOfNote(readRawText(xml));
            else
                xml.skipCurrentElement();
        }
        category.header = header.value_or(QStringList {category.title});
        result.value.append(category);
    }

    void readShortAnswer(int line)
    {
        BankQuestion question;
        bool answered = false;
        while (xml.readNextStartElement()) {
            if (xml.name() == u"questiontext") {
                question.text = readText(xml);
            } else if (xml.name() == u"generalfeedback") {
                question.hint = readText(xml);
            } else if (xml.name() == u"answer" && !answered
                && xml.attributes().value(QLatin1String("fraction")).toDouble() >= 100) {
                answered = true;
                while (xml.readNextStartElement()) {
                    if (xml.name() == u"text")
                        question.answer = plainTextToLine(xml.readElementText());
                    else
                        xml.skipCurrentElement();
                }
            } else {
                xml.skipCurrentElement();
            }
        }
        if (!answered)
            return refuse(OnlineFault::NoRightAnswer, line);
        add(question, line);
    }

    // One right choice, every other of no marks; the general feedback has no line to go to.
    void readMultipleChoice(int line)
    {
        BankQuestion question {BankQuestion::Kind::MultipleChoice, {}, {}, {}, {}};
        int right = 0;
        bool single = true;
        bool partial = false;
        while (xml.readNextStartElement()) {
            if (xml.name() == u"questiontext") {
                question.text = readText(xml);
            } else if (xml.name() == u"single") {
                const QString text = xml.readElementText().trimmed();
                single = text != u"false" && text != u"0";
            } else if (xml.name() == u"answer") {
                const double fraction = xml.attributes().value(QLatin1String("fraction")).toDouble();
                question.choices.append(readText(xml));
                if (fraction >= 100) {
                    ++right;
                    question.answer = question.choices.last();
                }
                partial = partial || (fraction > 0 && fraction < 100);
            } else {
                xml.skipCurrentElement();
            }
        }
        if (!single || partial || right != 1)
            return refuse(OnlineFault::MultipleChoice, line);
        add(question, line);
    }

    void add(const BankQuestion &question, int line)
    {
        if (result.value.isEmpty())
            result.value.append(BankCategory());
        result.value.last().questions.append(question);
        result.value.last().lines.append(line);
    }
};

} // namespace

QString categoryTitle(QStringView path)
{
    // Split at a single "/" only: "//" stands for a "/" within a name.
    QString title;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (path[i] != u'/') {
            title += path[i];
        } else if (i + 1 < path.size() && path[i + 1] == u'/') {
            title += u'/';
            ++i;
        } else {
            title.clear();
        }
    }
    return title;
}

QString categoryPath(const QString &title)
{
    return QStringLiteral("$course$/top/") + QString(title).replace(u'/', QStringLiteral("//"));
}

QString questionName(int number, const QString &text)
{
    QString plain = QString(text).replace(QStringLiteral("\\/"), QStringLiteral(" ")).remove(u'@');
    return QStringLiteral("%1 %2").arg(number, 3, 10, QChar(u'0')).arg(plain.left(40)).trimmed();
}

QByteArray moodleXmlBytes(const QList<BankCategory> &categories)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("quiz"));
    for (const BankCategory &category : categories) {
        writeCategory(xml, category);
        int number = 0;
        for (const BankQuestion &question : category.questions) {
            ++number;
            switch (question.kind) {
            case BankQuestion::Kind::FillBlank:
            case BankQuestion::Kind::WordOrder:
                writeShortAnswer(xml, number, question);
                break;
            case BankQuestion::Kind::MultipleChoice:
                writeMultipleChoice(xml, number, question);
                break;
            }
        }
    }
    xml.writeEndDocument();
    return bytes;
}

BankFileRead readMoodleXml(QByteArrayView bytes)
{
    BankFileRead result;
    QXmlStreamReader xml(bytes.toByteArray());
    Reading reading {xml, result};
    if (xml.readNextStartElement() && xml.name() != u"quiz")
        reading.refuse(OnlineFault::NotAQuiz, int(xml.lineNumber()));
    while (!xml.hasError() && xml.readNextStartElement()) {
        const int line = int(xml.lineNumber());
        const QStringView type = xml.attributes().value(QLatin1String("type"));
        if (xml.name() != u"question")
            xml.skipCurrentElement();
        else if (type == u"category")
            reading.readCategory();
        else if (type == u"shortanswer")
            reading.readShortAnswer(line);
        else if (type == u"multichoice")
            reading.readMultipleChoice(line);
        else
            reading.refuse(OnlineFault::UnsupportedType, line, type.toString());
    }
    if (result.ok()) {
        while (!xml.atEnd() && !xml.hasError())
            xml.readNext();
        if (xml.hasError())
            result = BankFileRead::failed(OnlineFault::NotWellFormed, {}, int(xml.lineNumber()));
    }
    return result;
}

} // namespace sorario
