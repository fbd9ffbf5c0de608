#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class SheetStore;

// The cascade layers of a page's sheets in their order, as CSS Cascade
// sorts them: a layer is named where the sheets first name it (a statement
// "@layer a, b;", a block, an @import's layer()), a sublayer sorts within
// its layer, and a layer's own rules come after its sublayers; rules in no
// layer come after every layer. An anonymous layer is a layer of its own.
class LayerOrder
{
public:
    // A sheet's layers, read in the cascade's order (what it imports before
    // it); `within`: the layer an @import puts the whole sheet in; `tag`
    // tells the sheet's anonymous layers from another sheet's.
    void addSheet(QByteArrayView text, const QStringList &within, const QString &tag);

    // The place of a rule in a layer: larger wins for normal declarations,
    // smaller for important ones. A path of no name is the rule outside
    // every layer.
    QList<int> rank(const QStringList &path) const;

    // Names the layer and the layers it is in, where not named yet.
    void declare(const QStringList &path);

private:
    QHash<QString, QList<int>> m_ranks; // by the path's names joined with "."
    QHash<QString, int> m_children;     // how many sublayers each has; "" for the top
};

// The layer a rule of a sheet stands in: the names of the @layer blocks
// around it, outermost first, an anonymous one named as LayerOrder names
// it for the same tag. Empty for a rule in no layer.
QStringList layerPathOf(const SheetStore &store, int row, const QString &tag);

// The name LayerOrder gives a sheet's k-th anonymous layer block.
QString anonymousLayerName(const QString &tag, int k);

// A sheet's @import statements, in order: the address, the layer it puts
// the sheet in (relative to the importer's; an anonymous one named as
// LayerOrder names it), and the media it is imported for.
struct SheetImport {
    QString address;
    bool layered = false;
    QStringList layer;
    QString media;
};
QList<SheetImport> sheetImports(QByteArrayView text, const QString &tag);
