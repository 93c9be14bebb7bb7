#pragma once

#include "base/Geometry.h"
#include "base/Message.h"
#include "base/ProgramDirectory.h"
#include "editor/ObjectTemplates.h"
#include "editor/ScreenObjects.h"
#include "objects/PanelKeys.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

struct LampObject;
struct ProjectStore;
class MessageSink;

// A part of the view to repaint. erase = the background is to be repainted too (the drawing is
// complete either way; a GUI that double-buffers may ignore it).
struct Invalidation {
    Rect rect;
    bool erase = false;
    bool operator==(const Invalidation&) const = default;
};

// What a screen window edits: the working lists, templates and key copies of one stored screen,
// with opening it from the project and storing it back, the LCD's grid rules, the key dialogs'
// bookkeeping, the paint-time rules and the parts of the view to repaint.
class ScreenContents {
public:
    static constexpr int kLcdWidth = 384; // view pixels
    static constexpr int kLcdHeight = 128;
    static constexpr int kGrid = 16;
    static constexpr int kViewWidth = 800;
    static constexpr int kViewHeight = 500;

    ScreenContents(ProjectStore& store, ProgramDirectory dir, MessageSink& sink);

    // ---- Opening and storing -------------------------------------------------------------
    enum class OpenResult { Opened, Stopped };
    // Unpacks stored screen s (1..199) into these (new, empty) contents. Stopped: a NumDisp with
    // too many decimals (61557) or a lamp without any lamp file (61559); what was unpacked stays,
    // the open flag stays clear. Opened: the screen's open flag is set.
    OpenResult loadScreen(int s);
    // The screen-number choice of a window without a number and of save-as. First ask
    // numberTaken(n): when true, every other window bound to n is to be destroyed without
    // questions before bindScreenNumber (their closing clears the flag this sets).
    bool numberTaken(int n) const;
    // Binds the window to n: entry number and name (first 10 bytes, GB2312), open flag; on
    // save-as the old number's open flag is cleared (its screen stays as last stored).
    void bindScreenNumber(int n, const std::string& name, bool saveAs);
    // Packs the working lists into the screen's ScreenBlock; deselects first. Returns false,
    // storing nothing, when the window has no number yet. Lists that have not changed since they
    // were opened from, or last stored into, that very screen are not packed again: packing
    // would rewrite the screen's texts and keys in the editor's own way and change the file of a
    // project that nobody edited.
    bool storeScreen();
    // Undoing the numbering of a new screen: the window is bound to no number again, goes by
    // historyKey (negative) in the history, and its number's open flag is cleared.
    void unbindScreenNumber(int historyKey);
    // The window closes: clears the open flag of its screen.
    void windowClosed();
    // Document title: 61499 until the window has a number, then 61500 with it.
    Message title() const;
    // Frees the screen's entry (when it has one) and marks the project changed; the GUI then
    // closes the window and refreshes the workspace tree.
    void removeScreen();
    // The screen summary: caption string 128 and the text, part by part (literal separator
    // lines and numbered strings), to be joined after formatting.
    std::vector<Message> summaryParts() const;
    static constexpr int kSummaryCaption = 128;

    // ---- Objects ---------------------------------------------------------------------------
    ScreenObjects& objects() { return m_objects; }
    const ScreenObjects& objects() const { return m_objects; }
    ObjectTemplates& templates() { return m_templates; }
    void deselectAll() { m_objects.deselectAll(); }
    // Ctrl+A: every object of the screen.
    void selectAll();
    // Removes every selected object; the caller forgets its current object.
    void removeSelected();
    // Object rectangle used by hit tests and selection marks (slot must be in use).
    Rect objectRect(int kind, int i) const;
    // Loads a lamp's dots from its file (512 or 2048 bytes); a file that does not open shows
    // 63505 and returns false; another length leaves the dots as they were.
    bool loadLampDots(LampObject& lamp);
    // A lamp's rectangle as band selection counts it: the size of its file as it is now. A
    // lamp whose file does not open is skipped (empty); one of another length (61526), or one
    // without a name and a dot count that is no lamp size (61525), stops the selection.
    Rect bandLampRect(const LampObject& lamp, bool& stop);

    // ---- Keys ------------------------------------------------------------------------------
    std::array<KeyRecord, kPanelKeys>& keys() { return m_keys; }
    const std::array<KeyRecord, kPanelKeys>& keys() const { return m_keys; }
    FunctionKeyTargets& fnKeyFlags() { return m_fnKeyFlags; }
    const FunctionKeyTargets& fnKeyFlags() const { return m_fnKeyFlags; }
    const std::array<Rect, kFunctionKeys>& fnKeyRects() const { return m_fnKeyRects; }
    const std::array<Rect, kPanelKeys>& panelKeyRects() const { return m_panelKeyRects; }
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
    // Whether panel key a's marker is blue (per screen) or red (project-wide), or none; valid
    // after settleForPaint.
    enum class KeyMarker { None, Global, PerScreen };
    KeyMarker panelKeyMarker(int a) const { return m_keyMarkers.at(static_cast<size_t>(a)); }

    // ---- Paint-time rules --------------------------------------------------------------------
    // Rules that change the working records before each drawing: empty texts become one blank,
    // lamp counts other than 512 become 2048, pictures of undefined entries are removed, the key
    // copies follow the project-wide or per-screen definitions. Returns whether an object of
    // the given kind was removed.
    bool settleForPaint(int currentKind);
    // The first drawing without a panel picture reports it (kNoPanelPicture) once; the GUI then closes
    // the window.
    void panelPictureMissing();
    bool closeRequested() const { return m_closeRequested; }

    // ---- The LCD and the view ----------------------------------------------------------------
    Point lcdOrigin() const { return m_lcd; }
    Rect lcdRect() const { return Rect::ofSize(m_lcd.x, m_lcd.y, kLcdWidth, kLcdHeight); }
    // The editor's grid and LCD rules.
    Point snap(Point p) const;
    Point keepInsideLcd(Point p, int w, int h) const;
    void invalidate(const Rect& r, bool erase);
    void invalidateLcd(bool erase) { invalidate(lcdRect(), erase); }
    // The LCD with the selection marks that reach past its edge.
    void invalidateLcdMarks() {
        invalidate(Rect::ofSize(m_lcd.x - 3, m_lcd.y - 3, kLcdWidth + 5, kLcdHeight + 5), false);
    }
    void invalidateAll(bool erase = true) {
        invalidate(Rect::ofSize(0, 0, kViewWidth, kViewHeight), erase);
    }
    std::vector<Invalidation> takeInvalidations();

    // ---- State -------------------------------------------------------------------------------
    int screenNo() const { return m_screenNo; }
    // How the project's history names this window: its screen number, or while it has none a
    // negative number of its own.
    int historyKey() const { return m_screenNo != 0 ? m_screenNo : -m_serial; }
    // The history's mark of the state last stored (or opened); see UndoHistory::stateMark.
    uint64_t storedMark() const { return m_storedMark; }
    void setStoredMark(uint64_t mark) { m_storedMark = mark; }
    bool modified() const { return m_modified; }
    void setModified() { m_modified = true; }
    void clearModified() { m_modified = false; }
    ProjectStore& store() { return m_store; }
    const ProjectStore& store() const { return m_store; }
    const ProgramDirectory& programDirectory() const { return m_dir; }
    MessageSink& sink() { return m_sink; }

private:
    ProjectStore& m_store;
    ProgramDirectory m_dir;
    MessageSink& m_sink;

    ScreenObjects m_objects;
    ObjectTemplates m_templates;
    std::array<KeyRecord, kPanelKeys> m_keys{};
    FunctionKeyTargets m_fnKeyFlags{};
    std::array<Rect, kFunctionKeys> m_fnKeyRects{};
    std::array<Rect, kPanelKeys> m_panelKeyRects{};
    std::array<KeyMarker, kPanelKeys> m_keyMarkers{};
    Point m_lcd;
    int m_screenNo = 0;
    int m_storedAs = 0; // the screen the lists were last opened from or stored into
    int m_serial;
    uint64_t m_storedMark = 0;
    bool m_modified = false;
    bool m_pictureReported = false;
    bool m_closeRequested = false;
    std::vector<Invalidation> m_invalid;
};

} // namespace dispcraft
