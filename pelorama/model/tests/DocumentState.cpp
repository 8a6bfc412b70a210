#include "DocumentState.h"

#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/Image.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Screenshot.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/DetachedCanvas.h"
#include "store/EntityDescription.h"
#include "store/FetchRequest.h"
#include "store/ManagedObject.h"
#include "store/ManagedObjectContext.h"
#include "store/ManagedObjectModel.h"

#include <QCryptographicHash>
#include <algorithm>
#include <vector>

using namespace pelorama;

namespace {

QString shortHash(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(12));
}

QString pixelHash(const QImage& pixels)
{
    if (pixels.isNull())
        return QStringLiteral("no pixels");
    const QImage plain = pixels.convertToFormat(QImage::Format_RGBA8888);
    QByteArray bytes;
    for (int row = 0; row < plain.height(); ++row)
        bytes.append(reinterpret_cast<const char*>(plain.constScanLine(row)), plain.width() * 4);
    return shortHash(bytes);
}

QString number(double value)
{
    return QString::number(value, 'g', 17);
}

QString describe(const QVariant& value)
{
    if (!value.isValid())
        return QStringLiteral("none");
    const QMetaType type = value.metaType();
    if (type == QMetaType::fromType<QString>())
        return '"' + value.toString() + '"';
    if (type == QMetaType::fromType<double>() || type == QMetaType::fromType<float>())
        return number(value.toDouble());
    if (type == QMetaType::fromType<QByteArray>()) {
        const QByteArray bytes = value.toByteArray();
        return QStringLiteral("%1 bytes, sha1 %2").arg(bytes.size()).arg(shortHash(bytes));
    }
    if (type == QMetaType::fromType<graphics::Color>()) {
        const auto color = value.value<graphics::Color>();
        return QStringLiteral("colour %1 %2 %3 %4 (space %5)")
            .arg(number(color.red), number(color.green), number(color.blue), number(color.alpha))
            .arg(int(color.space));
    }
    if (type == QMetaType::fromType<graphics::Font>()) {
        const auto font = value.value<graphics::Font>();
        return QStringLiteral("font %1 %2").arg(font.postScriptName(), number(font.pointSize()));
    }
    if (type == QMetaType::fromType<graphics::Image>()) {
        const auto image = value.value<graphics::Image>();
        const QImage pixels = image.isEmpty() ? QImage() : image.representations().front().bitmap();
        return QStringLiteral("picture %1 x %2, %3")
            .arg(number(image.size().width), number(image.size().height), pixelHash(pixels));
    }
    if (value.canConvert<qlonglong>())
        return QString::number(value.toLongLong());
    return QStringLiteral("a %1").arg(QString::fromLatin1(type.name()));
}

void describeAttributes(const store::ManagedObject& object, const QString& path, QStringList& lines)
{
    for (const store::AttributeDescription& attribute : object.entity().attributes())
        lines.append(path + ": " + attribute.name + " = " + describe(object.primitiveValue(attribute.name)));
}

QList<store::ManagedObject*> fetch(store::ManagedObjectContext& context, const store::FetchRequest& request)
{
    const store::Result<QList<store::ManagedObject*>> found = context.execute(request);
    EXPECT_TRUE(found.hasValue()) << request.entityName.toStdString();
    return found ? *found : QList<store::ManagedObject*>();
}

// The objects named by a mapping, as stored: of its drawable type, with its identifier.
QList<store::ManagedObject*> mappedDrawables(store::ManagedObjectContext& context,
                                             const model::DrawableMapping& mapping)
{
    if (!context.managedObjectModel().entity(mapping.drawableType()))
        return {};
    return fetch(context,
                 store::FetchRequest(mapping.drawableType(),
                                     store::Predicate::equal("uniqueIdentifier", mapping.identifier())));
}

QImage rendered(model::Screenshot& screenshot)
{
    const graphics::Image image = model::DetachedCanvas(screenshot.makeCanvas())
                                      .render(model::CanvasRenderingMode::canvasView, screenshot.size(), 1);
    return image.isEmpty() ? QImage() : image.representations().front().bitmap();
}

// The lines of a shortest edit from expected to actual: "- " lines went, "+ " lines came.
QStringList difference(const QStringList& expected, const QStringList& actual)
{
    const qsizetype n = expected.size();
    const qsizetype m = actual.size();
    // common[i][j]: the longest common subsequence of expected from i and actual from j.
    std::vector<std::vector<int>> common(size_t(n + 1), std::vector<int>(size_t(m + 1), 0));
    for (qsizetype i = n - 1; i >= 0; --i) {
        for (qsizetype j = m - 1; j >= 0; --j) {
            common[i][j] = expected[i] == actual[j] ? common[i + 1][j + 1] + 1
                                                    : std::max(common[i + 1][j], common[i][j + 1]);
        }
    }
    QStringList edits;
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && expected[i] == actual[j]) {
            ++i;
            ++j;
        } else if (i < n && (j == m || common[i + 1][j] >= common[i][j + 1])) {
            edits.append("- " + expected[i++]);
        } else {
            edits.append("+ " + actual[j++]);
        }
    }
    return edits;
}

} // namespace

DocumentState DocumentState::of(store::ManagedObjectContext& context)
{
    DocumentState state;
    QList<model::Screenshot*> screenshots;
    for (store::ManagedObject* object : fetch(context, model::Screenshot::fetchRequest()))
        screenshots.append(dynamic_cast<model::Screenshot*>(object));
    std::stable_sort(screenshots.begin(), screenshots.end(), [](auto* a, auto* b) {
        return a->order() < b->order() || (a->order() == b->order() && a->name() < b->name());
    });
    for (qsizetype s = 0; s < screenshots.size(); ++s) {
        model::Screenshot& screenshot = *screenshots[s];
        const QString path = QStringLiteral("screenshot %1").arg(s);
        describeAttributes(screenshot, path, state.lines);
        const QList<model::DrawableMapping*> mappings = screenshot.drawableMappings();
        for (qsizetype d = 0; d < mappings.size(); ++d) {
            const QString drawablePath = path + QStringLiteral(" drawable %1").arg(d);
            describeAttributes(*mappings[d], drawablePath + " mapping", state.lines);
            const QList<store::ManagedObject*> drawables = mappedDrawables(context, *mappings[d]);
            if (drawables.size() != 1) {
                state.lines.append(drawablePath + QStringLiteral(": %1 objects named").arg(drawables.size()));
                continue;
            }
            describeAttributes(*drawables.front(),
                               drawablePath + " (" + drawables.front()->entity().name() + ")", state.lines);
        }
        state.pictures.append(rendered(screenshot));
    }

    QStringList assets;
    for (store::ManagedObject* asset : fetch(context, store::FetchRequest("Asset"))) {
        QStringList lines;
        describeAttributes(*asset, "asset " + asset->primitiveValue("uniqueIdentifier").toString(), lines);
        assets.append(lines);
    }
    assets.sort();
    state.lines.append(assets);

    for (const store::EntityDescription* entity : context.managedObjectModel().entities()) {
        state.lines.append(QStringLiteral("objects: %1 = %2")
                               .arg(entity->name())
                               .arg(fetch(context, store::FetchRequest(entity->name())).size()));
    }
    return state;
}

testing::AssertionResult sameState(const DocumentState& expected, const DocumentState& actual)
{
    QStringList problems = difference(expected.lines, actual.lines);
    if (expected.pictures.size() != actual.pictures.size()) {
        problems.append(QStringLiteral("%1 pictures, expected %2")
                            .arg(actual.pictures.size())
                            .arg(expected.pictures.size()));
    } else {
        for (qsizetype i = 0; i < expected.pictures.size(); ++i) {
            if (expected.pictures[i] != actual.pictures[i])
                problems.append(QStringLiteral("picture %1 differs").arg(i));
        }
    }
    if (problems.isEmpty())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the document differs:\n" << problems.join('\n').toStdString();
}
