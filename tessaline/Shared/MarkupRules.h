#pragma once

#include "tessaline/Shared/Parser.h"
#include "tessaline/Shared/TessalineExport.h"

// The rules of the inline markup, in the order MarkupParser applies them. Each is a constant pattern, the
// kept group and the attributes the kept text gets:
//   **bold**  //italic//  __underline__  ~~strike~~  `monospace`
//   {#f00|colour}  {bg#ff0|background}  {k2.5|kerning}  {font:Menlo-Bold,18|font}
namespace tessaline {

struct TESSALINE_EXPORT BoldParser final : Parser
{
    QString opening() const override { return QStringLiteral("**"); }
    QString regex() const override { return QStringLiteral(R"((\*{2})(.+?)(\*{2}))"); }
    int principalCaptureGroup() const override { return 1; }
    graphics::TextAttributes provideAttributes(const QStringList& groups,
                                               const MarkupParser& parser) const override;
};

struct TESSALINE_EXPORT ItalicParser final : Parser
{
    QString opening() const override { return QStringLiteral("//"); }
    QString regex() const override { return QStringLiteral(R"((/{2})(.+?)(/{2}))"); }
    int principalCaptureGroup() const override { return 1; }
    graphics::TextAttributes provideAttributes(const QStringList& groups,
                                               const MarkupParser& parser) const override;
};

struct TESSALINE_EXPORT UnderlineParser final : Parser
{
    QString opening() const override { return QStringLiteral("__"); }
    QString regex() const override { return QStringLiteral(R"((_{2})(.+?)(_{2}))"); }
    int principalCaptureGroup() const override { return 1; }
    graphics::TextAttributes provideAttributes(const QStringList& groups,
                                               const MarkupParser& parser) const override;
};

struct TESSALINE_EXPORT StrikethroughParser final : Parser
{
    QString opening() const override { return QStringLiteral("~~"); }
    QString regex() const override { return QStringLiteral(R"((~{2})(.+?)(~{2}))"); }
    int principalCaptureGroup() const override { return 1; }
    graphics::TextAttributes provideAttributes(const QStringList& groups,
                                               const MarkupParser& parser) const override;
};

struct TESSALINE_EXPORT MonospaceParser final : Parser
{
    QString opening() const override { return QStringLiteral("`"); }
    QString regex() const override { return QStringLiteral(R"((`)(.+?)(`))"); }
    int principalCaptureGroup() const override { return 1; }
    graphics::TextAttributes provideAttributes(const QStringList& groups,
                                               const MarkupParser& parser) const override;
};

struct TESSALINE_EXPORT ForegroundColorParser final : Parser
{
    QString opening() const override { return QStringLiteral("{#"); }
    QString regex() const override { return QStringLiteral(R"((\{#)(.+?)(\|)(.+?)(\}))"); }
    int principalCaptureGroup() const override { return 3; }
    graphics::TextAttributes provideAttributes(const QStringList& groups,
                                               const MarkupParser& parser) const override;
};

struct TESSALINE_EXPORT BackgroundColorParser final : Parser
{
    QString opening() const override { return QStringLiteral("{bg#"); }
    QString regex() const override { return QStringLiteral(R"((\{bg#)(.+?)(\|)(.+?)(\}))"); }
    int principalCaptureGroup() const override { return 3; }
    graphics::TextAttributes provideAttributes(const QStringList& groups,
                                               const MarkupParser& parser) const override;
};

struct TESSALINE_EXPORT KerningParser final : Parser
{
    QString opening() const override { return QStringLiteral("{k"); }
    QString regex() const override { return QStringLiteral(R"((\{k)(.+?)(\|)(.+?)(\}))"); }
    int principalCaptureGroup() const override { return 3; }
    graphics::TextAttributes provideAttributes(const QStringList& groups,
                                               const MarkupParser& parser) const override;
};

struct TESSALINE_EXPORT FontParser final : Parser
{
    QString opening() const override { return QStringLiteral("{font:"); }
    QString regex() const override { return QStringLiteral(R"((\{font:)(.+?)(\|)(.+?)(\}))"); }
    int principalCaptureGroup() const override { return 3; }
    graphics::TextAttributes provideAttributes(const QStringList& groups,
                                               const MarkupParser& parser) const override;
};

} // namespace tessaline
