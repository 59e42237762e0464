#include "OtherItemCommand.h"

#include "Catalogue.h"
#include "CatalogueWriting.h"
#include "platform/Platform.h"

#include <algorithm>

namespace {

const QString title = QStringLiteral("Add Other Item");

void tell(Platform &platform, const QString &text)
{
    MessageBoxRequest request;
    request.title = title;
    request.text = text;
    request.icon = MessageIcon::Exclamation;
    platform.messageBox(request);
}

// What keeps the answer from being a list row, as a message; empty when nothing does.
QString rowProblem(const OtherItem &answer)
{
    const auto hasControl = [](const QString &text) {
        return std::any_of(text.begin(), text.end(),
                           [](QChar c) { return c.category() == QChar::Other_Control; });
    };
    if (answer.item.trimmed().isEmpty()) {
        return QStringLiteral("Type the name of the item.");
    }
    if (answer.quantity.trimmed().isEmpty()) {
        return QStringLiteral("Type a quantity.");
    }
    if (hasControl(answer.quantity) || hasControl(answer.item) || hasControl(answer.category)) {
        return QStringLiteral("A quantity, item or category cannot hold a line break.");
    }
    if (answer.quantity.contains(u',') || answer.item.contains(u',')) {
        return QStringLiteral("A quantity or item cannot hold a comma: the list file separates "
                              "its columns with commas.");
    }
    return QString();
}

} // namespace

std::optional<ListRow> AskOtherItem(Platform &platform, Catalogue &catalogue,
                                    const QString &catalogueFolder, int selectedNode, int &keptNode)
{
    keptNode = 0;
    OtherItem proposed{QStringLiteral("1"), QString(), QString(), false};
    if (selectedNode > 1) {
        const CatalogueNode &node = catalogue.node(selectedNode);
        proposed.category =
            catalogue.isItem(selectedNode) ? catalogue.node(node.parent).text : node.text;
    }
    const QStringList categories = HeadingTexts(catalogue);
    while (const std::optional<OtherItem> answer = platform.otherItemBox(proposed, categories)) {
        proposed = *answer;
        if (const QString problem = rowProblem(proposed); !problem.isEmpty()) {
            tell(platform, problem);
            continue;
        }
        if (proposed.keepInCatalogue) {
            QString reason;
            keptNode = KeepItemInCatalogue(catalogue, catalogueFolder, proposed.category,
                                           proposed.item, reason);
            if (keptNode == 0) {
                tell(platform, QStringLiteral("The item cannot be kept in the catalogue: ") +
                                   reason +
                                   QStringLiteral("\n\nNothing has changed, in the catalogue "
                                                  "or in the list."));
                continue;
            }
        }
        return ListRow{proposed.quantity, proposed.item, proposed.category};
    }
    return std::nullopt;
}
