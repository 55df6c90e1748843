// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/MoodleXml.h"

#include "exchange/InlineHtml.h"
#include "exchange/XmlScan.h"
#include "shared/ProgramConstants.h"

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

// Deeper than any bank nests: the reader counts the depth itself, so the stack does
// not grow with a hostile file.
constexpr int MaxDepth = 64;
// Entities expanded past the text a question file can hold are refused unread.
constexpr qint64 MaxExpandedCharacters = qint64(MaxFileLines) * MaxLineLength;

struct Reading
{
    QXmlStreamReader &xml;
    BankFileRead &result;
    int depth = 0;
    int questions = 0;

    // The first fault stands: a question left half read by broken XML is not judged.
    void refuse(OnlineFault kind, int line, const QString &detail = {})
    {
        if (xml.hasError())
            return;
        result = BankFileRead::failed(kind, detail, line);
        xml.raiseError();
    }

    // The next token, counted; what QXmlStreamReader's own helpers would read, but
    // without their recursion.
    QXmlStreamReader::TokenType step()
    {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement && ++depth > MaxDepth)
            refuse(OnlineFault::NotWellFormed, int(xml.lineNumber()));
        else if (token == QXmlStreamReader::EndElement)
            --depth;
        return xml.hasError() ? QXmlStreamReader::Invalid : token;
    }

    // The next child of the current element; false after its end.
    bool nextChild()
    {
        for (;;) {
            switch (step()) {
            case QXmlStreamReader::StartElement:
                return true;
            case QXmlStreamReader::EndElement:
            case QXmlStreamReader::EndDocument:
            case QXmlStreamReader::Invalid:
                return false;
            default:
                break;
            }
        }
    }

    enum class Children { Refused, Read, Skipped };

    // The text of the current element, and of its children when they are read; a child
    // refused is broken XML. The reader after the element's end.
    QString elementText(Children children)
    {
        QString text;
        for (int open = 1; open > 0;) {
            switch (step()) {
            case QXmlStreamReader::StartElement:
                if (children == Children::Refused)
                    refuse(OnlineFault::NotWellFormed, int(xml.lineNumber()));
                ++open;
                break;
            case QXmlStreamReader::EndElement:
                --open;
                break;
            case QXmlStreamReader::Characters:
            case QXmlStreamReader::EntityReference:
                if (children != Children::Skipped)
                    text += xml.text();
                break;
            case QXmlStreamReader::EndDocument:
            case QXmlStreamReader::Invalid:
                return text;
            default:
                break;
            }
        }
        return text;
    }

    void skip() { elementText(Children::Skipped); }

    // The text of an element holding <text>; the reader after its end.
    QString readRawText()
    {
        QString text;
        while (nextChild()) {
            if (xml.name() == u"text")
                text = elementText(Children::Read);
            else
                skip();
        }
        return text;
    }

    QString readText()
    {
        const bool html = xml.attributes().value(QLatin1String("format")) == u"html";
        const QString text = readRawText();
        return html ? inlineHtmlToLine(text) : plainTextToLine(text);
    }

    void readCategory()
    {
        BankCategory category;
        std::optional<QStringList> header;
        while (nextChild()) {
            if (xml.name() == u"category")
                category.title = categoryTitle(readText());
            else if (xml.name() == u"info")
                header = headerOfNote(readRawText());
            else
                skip();
        }
        category.header = header.value_or(QStringList {category.title});
        result.value.append(category);
    }

    void readShortAnswer(int line)
    {
        BankQuestion question;
        bool answered = false;
        while (nextChild()) {
            if (xml.name() == u"questiontext") {
                question.text = readText();
            } else if (xml.name() == u"generalfeedback") {
                question.hint = readText();
            } else if (xml.name() == u"answer" && !answered
                && xml.attributes().value(QLatin1String("fraction")).toDouble() >= 100) {
                answered = true;
                while (nextChild()) {
                    if (xml.name() == u"text")
                        question.answer = plainTextToLine(elementText(Children::Refused));
                    else
                        skip();
                }
            } else {
                skip();
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
        while (nextChild()) {
            if (xml.name() == u"questiontext") {
                question.text = readText();
            } else if (xml.name() == u"single") {
                const QString text = elementText(Children::Refused).trimmed();
                single = text != u"false" && text != u"0";
            } else if (xml.name() == u"answer") {
                const double fraction = xml.attributes().value(QLatin1String("fraction")).toDouble();
                question.choices.append(readText());
                if (question.choices.size() > MaxChoices)
                    return refuse(OnlineFault::MultipleChoice, line);
                if (fraction >= 100) {
                    ++right;
                    question.answer = question.choices.last();
                }
                partial = partial || (fraction > 0 && fraction < 100);
            } else {
                skip();
            }
        }
        if (!single || partial || right != 1)
            return refuse(OnlineFault::MultipleChoice, line);
        add(question, line);
    }

    void add(const BankQuestion &question, int line)
    {
        if (++questions > MaxFileQuestions)
            return refuse(OnlineFault::TooLarge, line);
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
    if (const std::optional<XmlScanRefusal> refused = scanXml(bytes, MaxExpandedCharacters))
        return BankFileRead::failed(refused->fault, {}, refused->line);
    BankFileRead result;
    QXmlStreamReader xml(bytes.toByteArray());
    Reading reading {xml, result};
    if (reading.nextChild() && xml.name() != u"quiz")
        reading.refuse(OnlineFault::NotAQuiz, int(xml.lineNumber()));
    while (!xml.hasError() && reading.nextChild()) {
        const int line = int(xml.lineNumber());
        const QStringView type = xml.attributes().value(QLatin1String("type"));
        if (xml.name() != u"question")
            reading.skip();
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
            reading.step();
        if (xml.hasError())
            result = BankFileRead::failed(OnlineFault::NotWellFormed, {}, int(xml.lineNumber()));
    }
    return result;
}

} // namespace sorario
