#pragma once

// What the canvas and window benchmarks show: the built-in iPhone template "Text Above" of a theme, with
// an app capture in its device.
#include "graphics/Image.h"
#include "templates/TemplateCategory.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <memory>

namespace benchmarks {

// An app capture of size pixels: opaque bars and rows, as a real one has, the bar in the hue given.
inline graphics::Image appCapture(QSize size = {750, 1334}, int hue = 215)
{
    QImage pixels(size, QImage::Format_RGBA8888_Premultiplied);
    pixels.fill(QColor(245, 245, 247));
    QPainter painter(&pixels);
    // Laid out on a 750-pixel-wide phone screen and scaled to the size.
    painter.scale(size.width() / 750.0, size.width() / 750.0);
    painter.fillRect(0, 0, 750, 128, QColor::fromHsv(hue, 220, 220));
    const int rows = int(size.height() * 750.0 / size.width() - 160) / 96;
    for (int row = 0; row < rows; ++row) {
        painter.fillRect(24, 160 + row * 96, 72, 72, QColor::fromHsv((hue + 145 + row * 25) % 360, 160, 220));
        painter.fillRect(120, 172 + row * 96, 450, 20, QColor(60, 60, 60));
        painter.fillRect(120, 204 + row * 96, 300, 16, QColor(150, 150, 150));
    }
    painter.end();
    return graphics::Image(pixels);
}

// Two caption texts of each script, which edits take turns with (each with a new number, so that every
// render lays out a caption no render has seen). The installed fonts cover Latin, Hebrew and Arabic;
// Chinese and the emoji fall back to whatever else is installed, if anything (boxes otherwise), which is
// also what their cost measures.
struct ScriptTexts
{
    const char* name;
    const char16_t* first;
    const char16_t* second;

    // The text of the given edit.
    QString edit(int number) const
    {
        return QStringLiteral("%1 %2").arg(QString::fromUtf16(number % 2 ? first : second)).arg(number);
    }
};

inline constexpr ScriptTexts scriptTexts[] = {
    {"Latin", u"**Plan** your week in seconds", u"**Plan** your month in minutes"},
    {"Hebrew", u"**תכננו** את השבוע בשניות", u"**תכננו** את החודש בדקות"},
    {"Arabic", u"**خطط** لأسبوعك في ثوانٍ", u"**خطط** لشهرك في دقائق"},
    {"Chinese", u"**几秒钟**规划你的一周", u"**几分钟**规划你的一个月"},
    {"emoji", u"🚀 **Ship** faster ✨📱", u"🚀 **Ship** sooner 🎉📱"},
    {"mixed", u"🚀 Ship faster أسرع", u"🚀 Ship sooner أسرع"},
};

inline const pelorama::templates::Template& textAbove(const QString& theme)
{
    for (const pelorama::templates::TemplateGroup& group :
         pelorama::templates::TemplateCategory::iPhone().templateGroups()) {
        if (group.name() != theme)
            continue;
        for (const std::unique_ptr<pelorama::templates::Template>& made : group.templates()) {
            if (made->name() == QStringLiteral("Text Above"))
                return *made;
        }
    }
    qFatal("The template \"Text Above\" of the theme \"%s\" is missing", qPrintable(theme));
}

} // namespace benchmarks
