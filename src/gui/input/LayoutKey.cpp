#include "gui/input/LayoutKey.h"

#include <QGuiApplication>
#include <QKeyEvent>

#ifdef TEMPOLOOP_HAVE_XKB_X11
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>
#endif

#include <optional>

namespace LayoutKey {

namespace {

// A printable character's key code: Qt's code for a character key is the
// character's capital.
int keyCodeOf(QChar c)
{
    return int(c.toUpper().unicode());
}

#ifdef TEMPOLOOP_HAVE_XKB_X11

// The X server's keymap, fetched through Qt's connection; fetched again
// when it no longer agrees with what a key typed (the layouts were changed).
class X11Keymap {
public:
    X11Keymap() = default;
    ~X11Keymap()
    {
        release();
        xkb_context_unref(m_context);
    }
    X11Keymap(const X11Keymap&) = delete;
    X11Keymap& operator=(const X11Keymap&) = delete;

    xkb_keymap* keymap(bool fetchAgain)
    {
        if (fetchAgain)
            release();
        if (!m_keymap)
            fetch();
        return m_keymap;
    }

private:
    void fetch()
    {
        auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
        if (!connection)
            return;
        if (!m_context)
            m_context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
        const int32_t device = m_context ? xkb_x11_get_core_keyboard_device_id(connection) : -1;
        if (device >= 0)
            m_keymap = xkb_x11_keymap_new_from_device(m_context, connection, device, XKB_KEYMAP_COMPILE_NO_FLAGS);
    }
    void release()
    {
        xkb_keymap_unref(m_keymap);
        m_keymap = nullptr;
    }

    xkb_context* m_context = nullptr;
    xkb_keymap* m_keymap = nullptr;
};

// The character of one shift level of an X key code, if it has one.
std::optional<QChar> characterAt(xkb_keymap* keymap, xkb_keycode_t key, xkb_layout_index_t layout, int level)
{
    const xkb_keysym_t* syms = nullptr;
    if (xkb_keymap_key_get_syms_by_level(keymap, key, layout, xkb_level_index_t(level), &syms) < 1)
        return std::nullopt;
    const uint32_t unicode = xkb_keysym_to_utf32(syms[0]);
    if (unicode == 0 || unicode > 0xFFFF || !QChar(char16_t(unicode)).isPrint())
        return std::nullopt;
    return QChar(char16_t(unicode));
}

// The character of the first shift level of the event's X key code, in the
// layout the key was typed in (the group bits of the X key state).
std::optional<QChar> x11UnshiftedCharacter(const QKeyEvent& event)
{
    static X11Keymap x11;
    const xkb_keycode_t key = event.nativeScanCode();
    for (bool fetchAgain : {false, true}) {
        xkb_keymap* keymap = x11.keymap(fetchAgain);
        if (!keymap)
            return std::nullopt;
        const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(keymap, key);
        if (layouts == 0)
            continue;
        xkb_layout_index_t layout = (event.nativeModifiers() >> 13) & 0x3;
        if (layout >= layouts)
            layout = 0;
        // The keymap must still give the key the character it typed.
        const std::optional<QChar> shifted = characterAt(keymap, key, layout, 1);
        if (event.text().size() == 1 && shifted && *shifted != event.text().front())
            continue;
        return characterAt(keymap, key, layout, 0);
    }
    return std::nullopt;
}

#endif

} // namespace

QChar unshiftedUsCharacter(QChar shifted)
{
    static const QString from = QStringLiteral("!@#$%^&*()<>?:\"{}|_+~");
    static const QString to = QStringLiteral("1234567890,./;'[]\\-=`");
    const qsizetype at = from.indexOf(shifted);
    return at < 0 ? shifted : to[at];
}

int unshiftedKey(const QKeyEvent& event)
{
    if (!event.modifiers().testFlag(Qt::ShiftModifier))
        return event.key();
#ifdef TEMPOLOOP_HAVE_XKB_X11
    if (QGuiApplication::platformName() == QLatin1String("xcb") && event.nativeScanCode() != 0) {
        if (const std::optional<QChar> c = x11UnshiftedCharacter(event))
            return keyCodeOf(*c);
    }
#endif
    // A Latin-1 symbol key: its US layout key; other keys as reported.
    const int key = event.key();
    if (key > 0x20 && key < 0x7F)
        return keyCodeOf(unshiftedUsCharacter(QChar(key)));
    return key;
}

} // namespace LayoutKey
