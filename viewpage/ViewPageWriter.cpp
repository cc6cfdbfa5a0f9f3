#include "viewpage/ViewPageWriter.h"

#include "naming/CaseFolding.h"
#include "naming/TemporaryName.h"

#include <memory>

namespace tessaly {

namespace {

struct VariantTexts {
    const char* pageName;
    const char* title;
    const char* firstRow; // opens each picture's path row
};

VariantTexts textsOf(PageVariant variant) {
    if (variant == PageVariant::FromRenameDialog)
        return {"Tessaly.htm", "<html>\n<head>\n<title>Tessaly Picture View</title>\n",
                "<tr><td width=\"100%\">\n"};
    return {"Orrinde.htm", "<html>\n<head>\n<title>Orrinde Picture View</title>\n",
            "<tr><td width=\"800\">\n"};
}

// The table is left without its end tag on purpose; browsers close it at the end of the body.
std::string pageText(const std::vector<FileEntry>& paths, const VariantTexts& texts) {
    std::string page = texts.title;
    page += "</head>\n<body>\n";
    page += "<table border=\"0\" width=\"100%\">\n";
    for (const FileEntry& file : paths) {
        page += texts.firstRow;
        page += file.path + "\n";
        page += "</td></tr>\n";
        page += "<tr><td width=\"100%\"><img src = \"file://" + fileReference(file.path) +
                "\"></td></tr>\n";
        page += "<tr><td width=\"100%\" height=\"15\"></td></tr>\n";
    }
    page += "</body>\n</html>\n";
    return page;
}

} // namespace

std::string fileReference(const std::string& path) {
    // In UTF-8 neither byte can be part of another character, so a plain scan is safe.
    std::string reference;
    reference.reserve(path.size());
    for (char c : path) {
        if (c == '%')
            reference += "%25";
        else if (c == '#')
            reference += "%23";
        else
            reference += c;
    }
    return reference;
}

void ViewPageWriter::ShowPictures(const std::vector<FileEntry>& paths, PageVariant variant) {
    // Without a first picture there is no folder to put the page in.
    if (paths.empty())
        return;
    const VariantTexts texts = textsOf(variant);
    const PathParts first = paths.front().parts();
    const std::string folder = first.drive + first.directory;
    const std::string pagePath = folder + texts.pageName;
    for (const FileEntry& file : paths) {
        if (sameFileSystemName(file.path, pagePath)) {
            messages_.show(MessageOwner::Foreground,
                           "The picture page can not be written over the selected file \"" +
                               file.path + "\". Nothing was written.",
                           "File write error", mb::Ok | mb::IconError);
            return;
        }
    }

    std::string text = pageText(paths, texts);
    const TextForm form = fileSystem_.textFormFor(text);
    // A page stored as UTF-8 says so, or a browser would read it in its own code page.
    if (form != TextForm::AnsiCodePage)
        text.insert(text.find("<title>"), "<meta charset=\"utf-8\">\n");
    const std::string temporary = folder + temporaryName(newTemporaryId(), TemporaryUse::Page, 0);
    bool written = false;
    if (std::unique_ptr<TextFile> page = fileSystem_.createTextFile(temporary, form)) {
        const bool complete = page->write(text);
        written = page->close() && complete; // closed before the browser reads it
        written = written && fileSystem_.placeFile(temporary, pagePath, true) == FileResult::Done;
        if (!written)
            fileSystem_.removeFile(temporary);
    }
    if (!written) {
        messages_.show(MessageOwner::Foreground,
                       "Can not write the picture page \"" + pagePath + "\".", "File write error",
                       mb::Ok | mb::IconError);
        return;
    }
    if (!opener_.open(pagePath))
        messages_.show(MessageOwner::Foreground,
                       "The picture page \"" + pagePath +
                           "\" was written, but no program could "
                           "be started to show it.",
                       "Tessaly Notice", mb::Ok | mb::IconWarning);
}

} // namespace tessaly
