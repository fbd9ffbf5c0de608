#pragma once

#include "core/preview/cascade_order.h"
#include "core/preview/layer_order.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
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
        QString path; // the file; empty for a <style> block or a served sheet
        QString href; // a served sheet's address
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

    // Reads the page's answer: ["link", path or null, address, text of a
    // served sheet of the page's origin or null, the program's own copy of
    // the edited sheet] or ["style", text, the file a dev server marks it
    // with] in order, and ["page", address]. The edited sheet is known by
    // its path; on a page from a server on this machine, by the served
    // sheet whose address names it (see editedHref()).
    void take(const QVariantList &answer);

    // On a served page: the address of the sheet that is the edited one,
    // or the file a dev server's <style> names; empty when none is.
    QString editedHref() const { return m_editedHref; }
    QString editedDevId() const { return m_editedDevId; }
    // Whether the shown page comes from a server on this machine.
    bool served() const { return m_served; }
    // The sheets of another origin, whose rules cannot be read.
    int leftOut() const { return m_leftOut; }

    // The site folder the user set for an origin, if any.
    std::function<QString(const QString &origin)> siteFolder;
    // Says what the edited sheet was found as, once each time it changes.
    std::function<void(const QString &)> tell;

signals:
    void changed();
    // A served page has its server's copy of the edited sheet, not the
    // editor's: found anew, reloaded, or brought back by its dev server.
    void editedMapped();

private:
    const SheetStore &m_edited;
    BrowserHost *m_browser = nullptr;
    std::vector<Sheet> m_sheets;
    int m_editedOrder = 0;
    int m_asked = 0;
    QString m_editedHref;
    QString m_editedDevId;
    bool m_served = false;
    int m_leftOut = 0;
    QString m_told;
};
