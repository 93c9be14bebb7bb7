#pragma once

#include "base/ProgramDirectory.h"
#include "base/Geometry.h"
#include "editor/ObjectTemplates.h"
#include "editor/ScreenObjects.h"
#include "objects/AttrBits.h"
#include "objects/KeyRecord.h"
#include "base/Message.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

struct ProjectStore;
class MessageSink;

// The pointer shape a screen window should show; the GUI maps each value to a cursor.
enum class EditorCursor {
    Arrow,
    PlaceTextString,
    PlaceMsgDisp,
    PlaceNumDisp,
    PlaceBarGraph,
    PlaceTrendGraph,
    PlaceLampOrPicture,
    SizeNorthSouth,
    SizeWestEast,
    SizeNorthwestSoutheast,
    SizeNortheastSouthwest,
};

// A part of the view to repaint. erase = the background is to be repainted too (the drawing is
// complete either way; a GUI that double-buffers may ignore it).
struct Invalidation {
    Rect rect;
    bool erase = false;
    bool operator==(const Invalidation&) const = default;
};

// What a double-click asks the GUI to open. The dialogs' forms take it from there, using the
// session's working records, templates and helpers.
struct EditRequest {
    enum class Target { None, Object, PanelKey, FunctionKey };
    Target target = Target::None;
    int kind = 0;              // Object: 1..7
    int index = -1;            // Object: slot; PanelKey: 0..24; FunctionKey: 0..3
    bool shortNumDisp = false; // Object of kind 3 with the short form: dialog 196, else 148
    Message title;             // PanelKey: the dialog's title
};

// Command numbers a screen window handles (menus, toolbars and the context menu carry them).
namespace command {
constexpr int kPlaceTextString = 32773;
constexpr int kPlaceMsgDisp = 32778;
constexpr int kPlaceNumDisp = 32790;
constexpr int kPlaceShortNumDisp = 32832;
constexpr int kPlaceBarGraph = 32791;
constexpr int kPlaceTrendGraph = 32792;
constexpr int kPlaceLamp = 32794;
constexpr int kPlacePicture = 32795;
constexpr int kSelectTool = 32831;
constexpr int kDelete = 32811;
constexpr int kRedraw = 32822;
constexpr int kRemoveScreen = 32829;
constexpr int kSummary = 32834;
constexpr int kCopy = 57634;
constexpr int kCut = 57635;
constexpr int kPaste = 57637;
constexpr int kClose = 57602;
constexpr int kSave = 57603;
constexpr int kSaveAs = 57604;
constexpr int kOpen = 57601;
constexpr int kBuild = 32775;
constexpr int kNew = 57600;
} // namespace command

// One screen window without its widget: the working lists, templates and key copies of the
// screen it edits, the editing state machine driven by pointer and key events, the view
// commands, opening and storing the screen. Events go in; out come invalidation rectangles, the
// cursor, the status text, messages (through the MessageSink) and requests for dialogs.
class EditorSession {
public:
    EditorSession(ProjectStore& store, ProgramDirectory dir, MessageSink& sink);

    // ---- Opening and storing -------------------------------------------------------------
    enum class OpenResult { Opened, Stopped };
    // Unpacks stored screen s (1..199) into this (new, empty) session. Stopped: a NumDisp with
    // too many decimals (61557) or a lamp without any lamp file (61559); the session keeps what
    // was unpacked, the open flag stays clear. Opened: the screen's open flag is set.
    OpenResult loadScreen(int s);
    // The screen-number choice of a window without a number and of save-as. First ask
    // numberTaken(n): when true, every other window bound to n is to be destroyed without
    // questions before bindScreenNumber (their closing clears the flag this sets).
    bool numberTaken(int n) const;
    // Binds the window to n: entry number and name (first 10 bytes, GB2312), open flag; on
    // save-as the old number's open flag is cleared (its screen stays as last stored).
    void bindScreenNumber(int n, const std::string& name, bool saveAs);
    // Packs the working lists into ScreenBlock ScreenNo (which must be 1..199); deselects first.
    // Returns false, storing nothing, when the window has no number yet. Lists that have not
    // changed since they were opened from, or last stored into, that very screen are not packed
    // again: packing would rewrite the screen's texts and keys in the editor's own way and
    // change the file of a project that nobody edited.
    bool storeScreen();
    // The window closes: clears the open flag of its screen.
    void windowClosed();
    // Document title: 61499 until the window has a number, then 61500 with it.
    Message title() const;

    // ---- Pointer and keys ----------------------------------------------------------------
    void press(Point p);                // left button down
    void move(Point p, bool leftButton); // pointer moved
    void release(Point p);              // left button up
    EditRequest doubleClick(Point p);   // left double-click
    void escape();                      // the Escape character
    // The context-menu request: true when the GUI should show the view's menu (Tool was 0).
    bool contextMenu();
    // Delete key: deletes the selected objects (then the key goes to default handling).
    void deleteKey() { deleteSelected(); }

    // ---- Commands ------------------------------------------------------------------------
    bool commandEnabled(int cmd, bool clipboardHasBlock) const;
    void selectTool();          // 32831
    void deleteSelected();      // 32811
    void redraw();              // 32822
    // 32829: frees the screen's entry (when it has one) and marks the project changed; the GUI
    // then closes the window and refreshes the workspace tree.
    void removeScreen();
    // 32834: caption string 128 and the text, part by part (literal separator lines and
    // numbered strings), to be joined after formatting.
    std::vector<Message> summaryParts() const;
    static constexpr int kSummaryCaption = 128;

    // ---- Clipboard -----------------------------------------------------------------------
    // The 387,276-byte block of the selected objects (copy); the GUI puts it on the clipboard
    // under "quorl", clears the owner flag of every other window and sets this one's.
    std::vector<uint8_t> copyBlock();
    // Cut: copy, then delete the selected objects.
    std::vector<uint8_t> cutBlock();
    // Paste of a block from the clipboard (untrusted). Deselects, marks modified, fills free
    // slots; records that are not valid or find no slot are dropped. Returns the number pasted.
    int paste(const uint8_t* data, size_t size);
    bool clipboardOwner() const { return m_clipboardOwner; }
    void setClipboardOwner(bool owner) { m_clipboardOwner = owner; }

    // ---- Outputs -------------------------------------------------------------------------
    std::vector<Invalidation> takeInvalidations();
    EditorCursor cursor() const { return m_cursor; }
    // "X: %04d ,Y: %04d  LCD_X:%03d,LCD_Y:%03d" of the last pointer move.
    const std::string& statusText() const { return m_status; }
    // The picture failed to load and the first paint said so (63593): the GUI closes the window.
    bool closeRequested() const { return m_closeRequested; }

    // ---- State and helpers for the property dialogs (placement commands, double-click) ---
    ScreenObjects& objects() { return m_objects; }
    const ScreenObjects& objects() const { return m_objects; }
    ObjectTemplates& templates() { return m_templates; }
    std::array<KeyRecord, 25>& keys() { return m_keys; }
    const std::array<KeyRecord, 25>& keys() const { return m_keys; }
    std::array<uint8_t, 4>& fnKeyFlags() { return m_fnKeyFlags; }
    const std::array<uint8_t, 4>& fnKeyFlags() const { return m_fnKeyFlags; }
    const std::array<Rect, 4>& fnKeyRects() const { return m_fnKeyRects; }
    const std::array<Rect, 25>& panelKeyRects() const { return m_panelKeyRects; }
    Point lcdOrigin() const { return m_lcd; }
    Rect lcdRect() const { return Rect::ofSize(m_lcd.x, m_lcd.y, 384, 128); }
    int screenNo() const { return m_screenNo; }
    bool modified() const { return m_modified; }
    void setModified() { m_modified = true; }
    void clearModified() { m_modified = false; }
    ProjectStore& store() { return m_store; }
    const ProjectStore& store() const { return m_store; }
    const ProgramDirectory& programDirectory() const { return m_dir; }
    MessageSink& sink() { return m_sink; }

    int tool() const { return m_tool; }
    int dragMode() const { return m_dragMode; }
    int currentKind() const { return m_curKind; }
    int currentIndex() const { return m_curIndex; }
    Point currentPosition() const { return m_cur; }
    Point lastPoint() const { return m_last; }
    const Rect& bandRect() const { return m_band; }
    int placeWidth() const { return m_placeW; }
    int placeHeight() const { return m_placeH; }

    // A placement command confirmed its dialog: arms Tool for kind 1..7 with the template's size.
    void armTool(int kind, int placeWidth, int placeHeight);
    void setPlaceSize(int w, int h);
    void deselectAll();
    void invalidateAll(bool erase = true);
    // The editor's grid and LCD rules.
    Point snap(Point p) const;
    Point keepInsideLcd(Point p, int w, int h) const;
    // Object rectangle used by hit tests and selection marks (slot must be in use).
    Rect objectRect(int kind, int i) const;
    // Loads a lamp's dots from its file (512 or 2048 bytes); a file that does not open shows
    // 63505 and returns false; another length leaves the dots as they were.
    bool loadLampDots(LampObject& lamp);

    // Panel key dialog (187) opened from a double-click: before it, the record to show and
    // whether its per-screen option starts ticked; after OK, the new function fields.
    struct PanelKeyEdit {
        KeyRecord record{};
        bool perScreen = false;
    };
    PanelKeyEdit beginPanelKeyEdit(int a);
    void applyPanelKeyEdit(int a, const KeyRecord& fields, bool perScreen);
    static Message panelKeyTitle(int a);
    // Function key dialog (188): the confirmed value becomes flag i.
    void setFunctionKeyFlag(int i, uint8_t value);

    // Paint-time rules that change the working records: empty texts become one blank, lamp
    // counts other than 512 become 2048, pictures of undefined entries are removed, the key
    // copies follow the project-wide or per-screen definitions. Called by the renderer.
    void prepareForPaint();
    // Whether panel key a's marker is blue (per screen) or red (project-wide), or none; valid
    // after prepareForPaint.
    enum class KeyMarker { None, Global, PerScreen };
    KeyMarker panelKeyMarker(int a) const;
    // The renderer reports the first paint without a panel picture (shows 63593 once).
    void panelPictureMissing();

private:
    int hitTest(Point p);
    void handleTest(Point p);
    void updateCursor();
    void place();
    void moveCurrent(Point p);
    void resizeCurrent(Point p);
    void bandSelect();
    void invalidate(const Rect& r, bool erase);
    void invalidateLcd(bool erase);
    void invalidatePlacement();
    bool inBandArea(Point p) const;
    Rect bandLampRect(const LampObject& lamp, bool& stop);
    template <typename List, typename Read>
    int pasteKind(List& list, int kind, int count, Read read, bool offset);

    ProjectStore& m_store;
    ProgramDirectory m_dir;
    MessageSink& m_sink;

    ScreenObjects m_objects;
    ObjectTemplates m_templates;
    std::array<KeyRecord, 25> m_keys{};
    std::array<uint8_t, 4> m_fnKeyFlags{};
    std::array<Rect, 4> m_fnKeyRects{};
    std::array<Rect, 25> m_panelKeyRects{};
    std::array<KeyMarker, 25> m_keyMarkers{};
    Point m_lcd;
    int m_screenNo = 0;
    int m_storedAs = 0; // the screen the lists were last opened from or stored into
    bool m_modified = false;

    int m_tool = 0;
    int m_dragMode = 0;
    int m_curKind = 0;
    int m_curIndex = 100;
    Point m_cur;
    int m_placeW = 0;
    int m_placeH = 0;
    Point m_last;
    Rect m_band;

    bool m_clipboardOwner = false;
    bool m_pictureReported = false;
    bool m_closeRequested = false;
    EditorCursor m_cursor = EditorCursor::Arrow;
    std::string m_status;
    std::vector<Invalidation> m_invalid;
};

} // namespace dispcraft
