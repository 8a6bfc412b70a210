// Captions far longer than any real one, as pasted by mistake: the markup, the layout and the drawing of
// a caption should all take time in proportion to its length (each reports its complexity fit), so that
// no caption freezes the window, a preview or an export. The caption is set in "AvenirNext-Regular" at
// 50 points, laid out 1000 points wide, as on a phone screenshot.

#include "graphics/AttributedString.h"
#include "graphics/GraphicsContext.h"
#include "model/rendering/RenderResources.h"
#include "model/rendering/TextRendering.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

using namespace pelorama;

namespace {

constexpr double captionWidth = 1000;

graphics::AttributedString styled(const QString& text)
{
    return model::styledCaptionText(text, graphics::Font(QStringLiteral("AvenirNext-Regular"), 50),
                                    graphics::Color{1, 1, 1, 1}, graphics::TextAlignment::center);
}

QString repeated(const QString& unit, benchmark::IterationCount length)
{
    QString text;
    while (text.size() < length)
        text += unit;
    text.truncate(length);
    return text;
}

void lengths(benchmark::internal::Benchmark* benchmark)
{
    benchmark->RangeMultiplier(4)->Range(1 << 11, 1 << 17)->Complexity(benchmark::oN);
    benchmark->Unit(benchmark::kMillisecond);
}

// Markup of many spans: "**" over and over, every five stars a bold one.
void parseMarkupOfManySpans(benchmark::State& state)
{
    const QString text = repeated(QStringLiteral("**"), state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(styled(text));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(parseMarkupOfManySpans)->Apply(lengths);

// Text with no break opportunity, broken anywhere into lines.
void layOutTextWithoutBreaks(benchmark::State& state)
{
    const graphics::AttributedString text = styled(repeated(QStringLiteral("x"), state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(text.boundingSize(captionWidth));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(layOutTextWithoutBreaks)->Apply(lengths);

// Words, broken into lines between them.
void layOutWords(benchmark::State& state)
{
    const graphics::AttributedString text = styled(
        repeated(QStringLiteral("Plan your week in seconds, and the rest in minutes. "), state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(text.boundingSize(captionWidth));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(layOutWords)->Apply(lengths);

// Many short paragraphs, each with a bold word.
void layOutStyledParagraphs(benchmark::State& state)
{
    const graphics::AttributedString text =
        styled(repeated(QStringLiteral("**Plan** ahead\n"), state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(text.boundingSize(captionWidth));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(layOutStyledParagraphs)->Apply(lengths);

// Text with no break opportunity drawn into a phone screenshot at export size, most of it below the
// bitmap's edge.
void drawTextWithoutBreaks(benchmark::State& state)
{
    const graphics::AttributedString text = styled(repeated(QStringLiteral("x"), state.range(0)));
    QImage bitmap = graphics::GraphicsContext::makeBitmap(1242, 2208);
    graphics::GraphicsContext context(bitmap);
    const double height = text.heightForWidth(captionWidth);
    for (auto _ : state) {
        context.drawText(text, {121, 2000 - height, captionWidth, height});
        benchmark::DoNotOptimize(context.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(drawTextWithoutBreaks)->Apply(lengths);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const pelorama::model::RenderResources::Program renderResources;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
