// Writes the help pages into the program folder's help/de, help/en and
// help/fr from one source file per page (resources/help/*.page): the page of
// each help context the source names, and the contents page index.html. A
// component page gets, after its text, the pins of every registered class
// with that help context, taken from the classes themselves.
//
// Page source (UTF-8):
//   # a comment
//   context: 18000 18001        the help contexts the page serves ("index": the contents page)
//   de: Title                   starts the German text; "en:" and "fr:" likewise
//   A paragraph, over as many lines as it needs.
//                               (an empty line ends a paragraph)
//   ## A heading
//   - an item of a list
//
// Usage: zk_make_help <help folder> <page source>...
//        zk_make_help --list     (every component help context with its classes)
#include "engine/Bauteil.h"
#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "platform/ClassRegistry.h"
#include "tools/ToolStartup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const char* const LanguageCodes[3] = {"de", "en", "fr"};

struct TPageText {
    QString Title;
    QStringList Lines;
};

struct TPage {
    QString Source;
    QStringList Contexts;     // numbers, or "index"
    TPageText Text[3];
};

TPage ReadPage(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read " + fileName.toStdString());
    TPage page;
    page.Source = QFileInfo(fileName).fileName();
    int language = -1;
    int lineNumber = 0;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    auto fail = [&](const char* what) {
        throw std::runtime_error(fileName.toStdString() + ":" + std::to_string(lineNumber) + ": " + what);
    };
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNumber;
        if (line.startsWith('#') && !line.startsWith("##"))
            continue;
        if (line.startsWith("context:")) {
            page.Contexts = line.mid(8).simplified().split(' ', Qt::SkipEmptyParts);
            continue;
        }
        bool header = false;
        for (int i = 0; i < 3; ++i)
            if (line.startsWith(QString(LanguageCodes[i]) + ":")) {
                language = i;
                page.Text[i].Title = line.mid(3).trimmed();
                header = true;
            }
        if (header)
            continue;
        if (language < 0) {
            if (!line.trimmed().isEmpty())
                fail("text before the first language");
            continue;
        }
        page.Text[language].Lines << line;
    }
    if (page.Contexts.isEmpty())
        fail("no context");
    for (int i = 0; i < 3; ++i)
        if (page.Text[i].Title.isEmpty())
            throw std::runtime_error(fileName.toStdString() + ": no " + LanguageCodes[i] + " text");
    return page;
}

QString Escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// Paragraphs, headings and lists of the source lines.
QString Body(const QStringList& lines)
{
    QString html;
    QString paragraph;
    bool inList = false;
    auto endParagraph = [&] {
        if (!paragraph.isEmpty())
            html += "<p>" + Escaped(paragraph.trimmed()) + "</p>\n";
        paragraph.clear();
    };
    auto endList = [&] {
        if (inList)
            html += "</ul>\n";
        inList = false;
    };
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty()) {
            endParagraph();
            endList();
        } else if (line.startsWith("## ")) {
            endParagraph();
            endList();
            html += "<h2>" + Escaped(line.mid(3)) + "</h2>\n";
        } else if (line.startsWith("- ")) {
            endParagraph();
            if (!inList)
                html += "<ul>\n";
            inList = true;
            html += "<li>" + Escaped(line.mid(2)) + "</li>\n";
        } else if (inList) {
            // A continued list item.
            html.chop(6);
            html += " " + Escaped(line) + "</li>\n";
        } else {
            paragraph += " " + line;
        }
    }
    endParagraph();
    endList();
    return html;
}

struct TClassPins {
    QString ClassName;
    QString TypeName[3];
    QStringList Inputs;
    QStringList Outputs;
};

QString PinList(const QStringList& names, int language)
{
    static const char* const unnamed[3] = {"ohne Namen", "unnamed", "sans nom"};
    QStringList shown;
    for (const QString& name : names)
        shown << (name.isEmpty() ? QString("(") + unnamed[language] + ")" : name);
    return Escaped(shown.join(", "));
}

QString PinsSection(const std::vector<TClassPins>& classes, int language)
{
    if (classes.empty())
        return {};
    static const char* const heading[3] = {"Anschl\u00FCsse", "Pins", "Broches"};
    static const char* const inputs[3] = {"Eing\u00E4nge", "Inputs", "Entr\u00E9es"};
    static const char* const outputs[3] = {"Ausg\u00E4nge", "Outputs", "Sorties"};
    static const char* const none[3] = {"keine", "none", "aucune"};
    QString html = "<h2>" + QString::fromUtf8(heading[language]) + "</h2>\n<table>\n";
    for (const TClassPins& c : classes) {
        html += "<tr><th colspan=\"2\">" + Escaped(c.TypeName[language]) + "</th></tr>\n";
        html += "<tr><td>" + QString::fromUtf8(inputs[language]) + "</td><td>" +
                (c.Inputs.isEmpty() ? QString::fromUtf8(none[language]) : PinList(c.Inputs, language)) + "</td></tr>\n";
        html += "<tr><td>" + QString::fromUtf8(outputs[language]) + "</td><td>" +
                (c.Outputs.isEmpty() ? QString::fromUtf8(none[language]) : PinList(c.Outputs, language)) +
                "</td></tr>\n";
    }
    return html + "</table>\n";
}

QString Document(const QString& title, const QString& body, int language)
{
    static const char* const contents[3] = {"Inhalt", "Contents", "Sommaire"};
    return "<!DOCTYPE html>\n<html lang=\"" + QString(LanguageCodes[language]) +
           "\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + Escaped(title) +
           "</title>\n<style>body{font-family:Arial,sans-serif;max-width:46em;margin:1em auto;padding:0 1em}"
           "table{border-collapse:collapse}td,th{border:1px solid #bbb;padding:2px 8px;text-align:left}</style>\n"
           "</head>\n<body>\n<p><a href=\"index.html\">" +
           QString::fromUtf8(contents[language]) + "</a></p>\n<h1>" + Escaped(title) + "</h1>\n" + body +
           "</body>\n</html>\n";
}

void Write(const QString& fileName, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    QFile old(fileName);
    if (old.open(QIODevice::ReadOnly) && old.readAll() == bytes)
        return;   // unchanged: keeps its time stamp
    old.close();
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + fileName.toStdString());
}

// Every registered component class by its help context.
std::map<int, std::vector<TClassPins>> ComponentPins()
{
    std::map<int, std::vector<TClassPins>> pins;
    ForEachRegisteredComponent([&](const TClassInfo& info, TIOBauteil& component) {
        TClassPins c;
        c.ClassName = QString::fromLatin1(info.Name);
        for (int language = 0; language < 3; ++language) {
            LanguageIndex = language;
            c.TypeName[language] = AnsiToQString(component.GetTypeName()).simplified();
        }
        LanguageIndex = 0;
        // The base classes have no name of their own and no pins to show.
        if (c.TypeName[0].isEmpty())
            return;
        for (const TBauteilPin& pin : component.Inputs)
            c.Inputs << AnsiToQString(pin.Name);
        for (const TBauteilPin& pin : component.Outputs)
            c.Outputs << AnsiToQString(pin.Name);
        pins[component.HelpContext].push_back(c);
    });
    return pins;
}

}   // namespace

int main(int argc, char** argv)
{
    return RunTool(argc, argv, argc >= 2, "<help folder> <page source>...", [argc, argv] {
        const std::map<int, std::vector<TClassPins>> pins = ComponentPins();
        if (QString::fromLocal8Bit(argv[1]) == "--list") {
            for (const auto& [context, classes] : pins)
                for (const TClassPins& c : classes)
                    std::printf("%d %s \"%s\" in: %s out: %s\n", context, qPrintable(c.ClassName),
                                c.TypeName[0].toUtf8().constData(), c.Inputs.join(",").toUtf8().constData(),
                                c.Outputs.join(",").toUtf8().constData());
            return;
        }

        std::vector<TPage> pages;
        for (int i = 2; i < argc; ++i)
            pages.push_back(ReadPage(QString::fromLocal8Bit(argv[i])));
        const QDir help(QString::fromLocal8Bit(argv[1]));
        std::set<QString> seen;
        for (const TPage& page : pages)
            for (const QString& context : page.Contexts)
                if (!seen.insert(context).second)
                    throw std::runtime_error(page.Source.toStdString() + ": context " + context.toStdString() +
                                             " has a page already");

        for (int language = 0; language < 3; ++language) {
            const QString folder = help.filePath(LanguageCodes[language]);
            CreateFolder(folder);
            QStringList written;
            // The contents: the index page's own text, then every page by its title.
            const TPage* index = nullptr;
            std::map<QString, QString> entries;   // title -> first page file
            for (const TPage& page : pages) {
                const TPageText& text = page.Text[language];
                if (page.Contexts.contains("index")) {
                    index = &page;
                    continue;
                }
                QString body = Body(text.Lines);
                for (const QString& context : page.Contexts) {
                    auto found = pins.find(context.toInt());
                    if (found != pins.end())
                        body += PinsSection(found->second, language);
                }
                for (const QString& context : page.Contexts) {
                    Write(folder + "/" + context + ".html", Document(text.Title, body, language));
                    written << context + ".html";
                }
                entries.emplace(text.Title, page.Contexts.first() + ".html");
            }
            QString list = "<ul>\n";
            for (const auto& [title, file] : entries)
                list += "<li><a href=\"" + file + "\">" + Escaped(title) + "</a></li>\n";
            list += "</ul>\n";
            static const char* const contents[3] = {"Inhalt", "Contents", "Sommaire"};
            const QString title = index ? index->Text[language].Title : QString::fromUtf8(contents[language]);
            Write(folder + "/index.html", Document(title, (index ? Body(index->Text[language].Lines) : QString()) + list,
                                                   language));
            written << "index.html";
            // Pages whose source is gone go too.
            for (const QString& file : QDir(folder).entryList({"*.html"}, QDir::Files))
                if (!written.contains(file))
                    QFile::remove(folder + "/" + file);
        }
    });
}
