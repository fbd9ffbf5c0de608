#pragma once

class ActionCatalog;
class QComboBox;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTextEdit;
class QWebEngineView;
class QWidget;
class PreviewFrame;

struct ViewerPages {
    QTabWidget *viewer = nullptr;         // Viewer
    QPlainTextEdit *cssMemo = nullptr;    // CSSMemo
    QPushButton *btnStyleUpdate = nullptr;
    QPlainTextEdit *hcssMemo = nullptr;   // HCSSMemo
    QPlainTextEdit *diskMemo = nullptr;   // HCssInDiskMemo
    QComboBox *location = nullptr;        // LocationView
    QWebEngineView *browser = nullptr;    // PreBrowser
    PreviewFrame *browserFrame = nullptr; // holds PreBrowser at the chosen width
    QComboBox *previewWidth = nullptr;    // PreviewWidth
    QSplitter *browserSplitter = nullptr; // Splitter1
    QWidget *phtml = nullptr;             // PHTML
    QProgressBar *progress = nullptr;
    QTextEdit *html = nullptr;            // HTML
};

// Viewer: the editor page, the two sheet views and the browser page.
ViewerPages buildViewerPages(QWidget *parent, const ActionCatalog &actions);
