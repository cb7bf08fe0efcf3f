#include "dialogs/MsgBoxText.h"

#include "utils/Text.h"

MarkedUpText ConvertMarkup(const std::string& source) {
    std::string text = ReplaceAll(source, "\\\\n", "\r\n");
    text = ReplaceAll(text, "\\\\t", "\t");
    text = ReplaceAllNoCase(text, "<P>", "\r\n");
    text = ReplaceAllNoCase(text, "<T>", "\t");
    if (text.compare(0, 4, "<<b>") == 0) text.erase(0, 1);

    MarkedUpText result;
    for (size_t open; (open = PosNoCase("<B>", text)) != 0;) {  // 1-based positions
        text.erase(open - 1, 3);
        const size_t close = PosNoCase("</B>", text);
        if (open < close) {
            text.erase(close - 1, 4);
            result.runStarts.push_back(uint16_t(open - 1));
            result.runEnds.push_back(uint16_t(close - 1));
        }
    }
    result.text = ReplaceAllNoCase(text, "</B>", "");
    return result;
}

std::string MsgBoxWithHeading(const std::string& title, const std::string& text) {
    const bool untranslated = std::string("|Error|Attention|Confirm|").find(title) != std::string::npos;
    const std::string heading = untranslated ? UpperCase(title) : title;
    return "<<b>" + heading + "</b><P><P>" + text + "<P>";
}

std::vector<std::string> MeasuredLines(const std::string& text) {
    const std::string measured = text.empty() ? std::string(" ") : text;
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = measured.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(measured.substr(start, end - start));
    if (start < measured.size()) lines.push_back(measured.substr(start));
    return lines;
}

TextSize MeasuredTextSize(const std::vector<int>& lineWidths, int lineHeight) {
    TextSize size;
    for (const int width : lineWidths) {
        if (width + 10 > size.width) size.width = width + 10;
        size.height += (width / kMsgBoxWrapWidth + 1) * lineHeight;
    }
    if (size.width > kMsgBoxWrapWidth) size.width = kMsgBoxWrapWidth;
    return size;
}
