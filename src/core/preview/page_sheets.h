#pragma once

#include "core/preview/cascade_order.h"
#include "core/preview/layer_order.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class BrowserHost;
class SheetStore;

// The shown page's style sheets besides the edited one, in the cascade's
// order: its linked local sheets, read from their files (a page script
// cannot read the rules of a sheet from another origin), the local sheets
// they and the edited one @import, each before its importer, and its
// <style> blocks. Remote sheets are left out. They are read-only: their rules are
// named, matched and weighed, never written.
class PageSheets : public QObject
{
    Q_OBJECT
public:
    struct Sheet {
        QString name; // "bootstrap.css", "<style>", "<style 2>"
        QString path; // the file; empty for a <style> block
        std::shared_ptr<SheetStore> store;
        int order = 0; // its place among the page's sheets
        QDateTime modified;
        qint64 size = 0;
        // A sheet another imports: the layer and the media it is imported
        // into (the importer's own included), empty where none.
        QStringList layer;
        QStringList media;
    };

    explicit PageSheets(const SheetStore &edited);
    ~PageSheets() override;
    void setBrowser(BrowserHost *browser) { m_browser = browser; }

    // Asks the page for its sheets again; a file unchanged since it was
    // read is not read again.
    void refresh();
    void forget();

    const std::vector<Sheet> &sheets() const { return m_sheets; }
    // The store of a sheet; the edited one for -1.
    const SheetStore *store(int sheet) const;
    // The place of a sheet among the page's; the edited sheet's is after
    // the others' when the page does not link it.
    int order(int sheet) const;
    QString path(int sheet) const;

    // "bootstrap.css › .btn-primary (0,1,0)"; the edited sheet's rules
    // without the file, the style attribute as "атрибут style". With the
    // context, a nested rule or one in @media says where it stands.
    QString ruleName(const CascadeEntry &entry, bool withContext) const;
    QString ruleName(int sheet, int row, bool withContext) const;

    // The page's cascade layers in their order, every sheet's walked in
    // the cascade's order; and a rule's place among them.
    LayerOrder layerOrder() const;
    QList<int> layerRank(const LayerOrder &order, int sheet, int row) const;
    // What tells a sheet's anonymous layers from another's.
    QString tagOf(int sheet) const;

    // Reads the page's answer: ["link", path or null, address] or
    // ["style", text] in order. The edited sheet is known by its path.
    void take(const QVariantList &answer);

signals:
    void changed();

private:
    const SheetStore &m_edited;
    BrowserHost *m_browser = nullptr;
    std::vector<Sheet> m_sheets;
    int m_editedOrder = 0;
    int m_asked = 0;
};
