"""The program's two main actions end to end: text selected in Wine's notepad, a real
hotkey press, the recording browser's log; the default-engine box; the panel."""
import time
import unittest

import qmwine
from qmwine import xdotool

EXE = 'quenmark.exe'
GOOGLE = 'https://www.google.com/search?q='
BING = 'https://www.bing.com/search?q='
COMBO1_ARROW = (362, 16)      # the default-engine box's arrow, client pixels at 96 dpi
COMBO1_BING = (300, 52)       # "Bing" in the list that drops down below it
COMBO1_ITEM = 16              # from one entry of that list to the next
WEB_GOOGLE_CAPTION = (72, 56)  # "Google" in the panel's WEB row
DDE_KEY = r'HKCR\http\shell\open\ddeexec'
PANEL_TEXT_BOX = (140, 24)     # the panel's search text
NOTEPAD_PLACE = (760, 620, 500, 300)  # clear of the centred settings window
PANEL_HEIGHT, OWN_ROW = 203, 24       # the panel without engines of the user's own; one row
SETTINGS_EMPTY_SPOT = (420, 92)       # right of the "Engines..." button


class ProgramSearch(qmwine.UpdateAnsweredLocally):
    def setUp(self):
        self.program = qmwine.Program(EXE, ini_text=qmwine.saved_ini(search_and_close=1))
        self.notepad = None

    def tearDown(self):
        self.program.cleanup()
        if self.notepad:
            self.notepad.close()

    def start(self, env=None):
        self.program.start(env)
        wid = qmwine.wait_window(qmwine.QUENMARK_TITLE_RE, 20)
        self.assertIsNotNone(wid, 'the settings window did not appear')
        # The application whose text is selected starts last, so it has the focus.
        if self.notepad is None:
            self.notepad = qmwine.Notepad('a b', geometry=NOTEPAD_PLACE)
        else:
            self.notepad.click_into()
        return wid

    def restart(self):
        self.assertEqual(qmwine.syscommand(qmwine.QUENMARK_TITLE, 'close'), 0)
        self.assertIsNotNone(self.program.wait_exit(15))
        return self.start()

    def direct_search(self, count):
        self.notepad.select_all()
        xdotool('key', 'ctrl+alt+q')
        urls = self.program.wait_launches(count, 10)
        self.assertTrue(urls, 'no browser launch for search %d' % count)
        return urls[count - 1]

    def test_direct_search_follows_the_engine_box_until_restart(self):
        wid = self.start()
        self.assertEqual(self.direct_search(1), GOOGLE + 'a%20b')

        x, y, _, _ = qmwine.window_geometry(wid)
        xdotool('mousemove', '--sync', x + COMBO1_ARROW[0], y + COMBO1_ARROW[1], 'click', 1)
        time.sleep(1)  # the list drops down; notepad keeps the keyboard, so click "Bing"
        xdotool('mousemove', '--sync', x + COMBO1_BING[0], y + COMBO1_BING[1], 'click', 1)
        self.notepad.click_into()
        self.assertEqual(self.direct_search(2), BING + 'a%20b')

        # The choice is not stored: a new run searches with Google again.
        self.restart()
        self.assertEqual(self.direct_search(3), GOOGLE + 'a%20b')

    def test_held_hotkey_types_nothing_into_the_selection(self):
        self.start()
        self.notepad.select_all()
        xdotool('keydown', 'ctrl', 'alt', 'q')
        try:
            self.assertTrue(self.program.wait_launches(1, 10), 'no search for the held hotkey')
            # The keyboard's auto-repeat, as X delivers it: more presses of the held key.
            # (Wine ignores MOD_NOREPEAT: each one is a hotkey message of its own.)
            xdotool('keydown', '--delay', 40, *['q'] * 12)
        finally:
            xdotool('keyup', 'q', 'alt', 'ctrl')
        # A text of its own marks the search that reads the document back.
        self.notepad.focus()
        xdotool('key', '--clearmodifiers', 'ctrl+End')
        xdotool('type', ' z')
        self.notepad.select_all()
        xdotool('key', 'ctrl+alt+q')
        found = qmwine.wait_until(
            lambda: [u for u in self.program.launched_urls() if u.endswith('%20z')], 10)
        self.assertEqual(found, [GOOGLE + 'a%20b%20z'], 'the held key typed into the selection')
        # The held press was handled before the later one: one press, one search.
        self.assertEqual([u for u in self.program.launched_urls() if not u.endswith('%20z')],
                         [GOOGLE + 'a%20b'], 'the auto-repeat of the held hotkey searched again')

    def panel_search_with_web_google(self):
        """The second hotkey with the pointer at (300, 300), then a click on the WEB row's
        Google caption; returns the panel and its geometry."""
        self.notepad.select_all()
        xdotool('mousemove', '--sync', 300, 300)
        xdotool('key', 'ctrl+alt+w')
        panel = qmwine.wait_window('^Form1$', 10)
        self.assertIsNotNone(panel, 'the panel did not appear')
        geometry = qmwine.window_geometry(panel)
        xdotool('mousemove', '--sync', geometry[0] + WEB_GOOGLE_CAPTION[0],
                geometry[1] + WEB_GOOGLE_CAPTION[1])
        xdotool('click', 1)
        return panel, geometry

    def test_panel_search_shows_the_text_at_the_pointer_and_a_caption_searches_it(self):
        # A browser that takes seconds to come up, asked over DDE as some register
        # themselves: the shell waits for it.
        qmwine.wine_reg('add', DDE_KEY, '/ve', '/d', '%1', '/f')
        self.addCleanup(qmwine.wine_reg, 'delete', DDE_KEY, '/f')
        self.start({'QM_BROWSER_HOLD_MS': '3000'})
        _, geometry = self.panel_search_with_web_google()
        self.assertEqual(geometry, (300, 300, 221, 203))
        self.assertEqual(self.program.wait_launches(1, 20), [GOOGLE + 'a%20b'])
        # "Search and then close" is ticked: the panel hides at the click, before the search
        # goes out, so it is gone once the browser is up (or at the next look, should the
        # X server lag).
        hidden = lambda: not qmwine.find_windows('^Form1$')  # noqa: E731
        self.assertTrue(hidden() or hidden(), 'the panel must hide at the click')
        # The browser takes seconds to come up, and the shell may wait for it.
        self.assertEqual(qmwine.syscommand(qmwine.QUENMARK_TITLE, 'ping'), 0,
                         'the settings window must answer while the browser is launched')

    def test_grey_search_and_close_keeps_the_panel_and_enter_in_its_box_searches_nothing(self):
        self.program.cleanup()
        self.program = qmwine.Program(EXE, ini_text=qmwine.saved_ini(search_and_close=2))
        self.start()
        panel, (px, py, _, _) = self.panel_search_with_web_google()
        self.assertEqual(self.program.wait_launches(1, 10), [GOOGLE + 'a%20b'])
        time.sleep(1)
        self.assertIn(panel, qmwine.find_windows('^Form1$'), 'a grey box keeps the panel')

        qmwine.focus(panel)
        xdotool('mousemove', '--sync', px + PANEL_TEXT_BOX[0], py + PANEL_TEXT_BOX[1], 'click', 1)
        xdotool('key', 'Return')
        time.sleep(1.5)  # a launch would reach the log by now
        self.assertEqual(self.program.launched_urls(), [GOOGLE + 'a%20b'])
        self.assertIn(panel, qmwine.find_windows('^Form1$'))

    def own_captions(self, panel):
        """The panel's own engine captions, found as yellow runs along the top of the
        first row under "Shop" (a gap narrower than the 15 pixels between captions is a
        stroke of a letter); screen points to click."""
        x, y, width, _ = qmwine.window_geometry(panel)
        row = y + PANEL_HEIGHT + 6
        screen = qmwine.ScreenPixels()
        runs = []
        for i in range(width):
            if screen.pixel(x + i, row) == (255, 255, 0):
                if runs and i - runs[-1][1] < 8:
                    runs[-1][1] = i
                else:
                    runs.append([i, i])
        return [(x + (a + b) // 2, row) for a, b in runs]

    def own_engine_search(self, count, caption):
        """The panel for the selection, then a click on one of its own engines; returns
        the panel's height and the launched URL."""
        self.notepad.click_into()  # the panel took the keyboard at the last click
        self.notepad.select_all()
        xdotool('mousemove', '--sync', 300, 300)
        xdotool('key', 'ctrl+alt+w')
        panel = qmwine.wait_window('^Form1$', 10)
        self.assertIsNotNone(panel, 'the panel did not appear')
        # Once painted: the captions are made at the first showing.
        captions = qmwine.wait_until(
            lambda: [c for c in [self.own_captions(panel)] if len(c) > caption], 5)
        self.assertTrue(captions, 'no caption number %d under "Shop"' % caption)
        captions = self.captions = captions[0]
        xdotool('mousemove', '--sync', *captions[caption], 'click', 1)
        urls = self.program.wait_launches(count, 10)
        self.assertTrue(urls, 'no launch from an engine of the user\'s own')
        return qmwine.window_geometry(panel)[3], urls[count - 1]

    def test_own_engines_in_set_ini_search_from_the_panel_and_keep_their_bytes(self):
        # Blanks around "=", a comment and a Cyrillic name in UTF-8: a rewrite of the
        # whole file (as the profile functions do) would change some of them.
        engines = ('[engines]\r\n'
                   'DDG = https://duckduckgo.com/?q={searchTerms}&ia=web\r\n'
                   '; mine\r\n'
                   '\u0412\u0438\u043a\u0438=https://ru.wikipedia.org/w/index.php?search=%s\r\n'
                   'Corp=https://wiki.example/find/\r\n').encode('utf-8')
        # No "checkc" and no [auto]: exiting has to write both.
        head = qmwine.saved_ini().split('checkc=')[0].encode('ascii')
        with open(self.program.ini_path, 'wb') as f:
            f.write(head + engines)
        wid = self.start()
        # The engine box lists them after "Google", "Bing" and "Yahoo": the fourth is DDG.
        x, y, _, _ = qmwine.window_geometry(wid)
        xdotool('mousemove', '--sync', x + COMBO1_ARROW[0], y + COMBO1_ARROW[1], 'click', 1)
        self.assertIsNotNone(qmwine.wait_popup_menu(EXE), 'the list did not drop down')
        xdotool('mousemove', '--sync', x + COMBO1_BING[0], y + COMBO1_BING[1] + 2 * COMBO1_ITEM,
                'click', 1)
        self.notepad.click_into()
        self.assertEqual(self.direct_search(1), 'https://duckduckgo.com/?q=a%20b&ia=web')
        height, url = self.own_engine_search(2, 1)
        self.assertEqual(height, PANEL_HEIGHT + OWN_ROW, 'three short names make one row')
        self.assertEqual(url, 'https://ru.wikipedia.org/w/index.php?search=a%20b')
        self.assertEqual(self.own_engine_search(3, 0)[1],
                         'https://duckduckgo.com/?q=a%20b&ia=web')
        self.assertEqual(qmwine.syscommand(qmwine.QUENMARK_TITLE, 'close'), 0)
        self.assertIsNotNone(self.program.wait_exit(15))
        with open(self.program.ini_path, 'rb') as f:
            saved = f.read()
        self.assertEqual(saved, head + b'checkc=1\r\n' + engines + b'[auto]\r\nchecka=1\r\n')

    def test_misleading_lines_are_left_out_and_pasted_ones_mended(self):
        # A taken name, a direction mark, a host with an escaped dot, one behind a \ and a
        # repeated name are left out; an exact phrase with a blank, every placeholder and an
        # optional OpenSearch one are mended.
        engines = ('[engines]\r\n'
                   'Google=https://evil.example/?q=%s\r\n'
                   '\u202eelgoog=https://evil.example/?q=%s\r\n'
                   'Dot=https://www.google.com%2Eevil.example/search?q=%s\r\n'
                   'Back=https://a.com\\@b.com/?q=%s\r\n'
                   'Phrase=https://www.google.com/search?q="%s" site:reddit.com\r\n'
                   'phrase=https://evil.example/?q=%s\r\n'
                   'Leo=https://dict.leo.org/{searchTerms}?x=%S&p={startPage?}\r\n')
        with open(self.program.ini_path, 'wb') as f:
            f.write((qmwine.saved_ini(search_and_close=1) + engines).encode('utf-8'))
        self.start()
        height, url = self.own_engine_search(1, 0)
        self.assertEqual(len(self.captions), 2, 'the panel offers exactly the usable engines')
        self.assertEqual(height, PANEL_HEIGHT + OWN_ROW)
        self.assertEqual(url, 'https://www.google.com/search?q=%22a%20b%22%20site:reddit.com')
        self.assertEqual(self.own_engine_search(2, 1)[1],
                         'https://dict.leo.org/a%20b?x=a%20b&p=')

    def test_engine_added_in_the_dialog_is_in_the_panel_at_once_and_after_a_restart(self):
        wid = self.start()
        # From the keyboard: the settings window's "&Engines..." button, the dialog's "&Add".
        x, y, _, _ = qmwine.window_geometry(wid)
        xdotool('mousemove', '--sync', x + SETTINGS_EMPTY_SPOT[0], y + SETTINGS_EMPTY_SPOT[1],
                'click', 1)  # notepad, started last, has the keyboard
        xdotool('key', 'alt+e')
        self.assertIsNotNone(qmwine.wait_window('^Engines$', 10), 'no "Engines" dialog')
        xdotool('key', 'alt+a')
        self.assertIsNotNone(qmwine.wait_window('^Engine$', 10), 'no dialog for the engine')
        xdotool('type', 'google')  # taken: OK says so in a message box, which is read aloud
        xdotool('key', 'Tab')
        xdotool('type', 'https://duckduckgo.com/?q=%s&ia=web')
        xdotool('key', 'Return')
        self.assertIsNotNone(qmwine.wait_window('^Quenmark Search$', 10), 'no message box')
        xdotool('key', 'Return')
        self.assertTrue(qmwine.wait_until(lambda: not qmwine.find_windows('^Quenmark Search$')))
        xdotool('type', 'DDG')  # the name to mend has the focus, its text selected
        xdotool('key', 'Return')
        self.assertTrue(qmwine.wait_until(lambda: not qmwine.find_windows('^Engine$'), 20))
        xdotool('key', 'Return')
        self.assertTrue(qmwine.wait_until(lambda: not qmwine.find_windows('^Engines$'), 20))
        # Saved once the dialog has gone, so a loaded machine may show the file a moment later.
        saved = '[engines]\r\nDDG=https://duckduckgo.com/?q=%s&ia=web\r\n'
        self.assertTrue(qmwine.wait_until(lambda: saved in (self.program.read_ini() or ''), 20),
                        self.program.read_ini())
        expected = (PANEL_HEIGHT + OWN_ROW, 'https://duckduckgo.com/?q=a%20b&ia=web')
        self.assertEqual(self.own_engine_search(1, 0), expected)
        self.restart()
        self.assertEqual(self.own_engine_search(2, 0), expected)

    def test_exit_from_the_tray_while_the_panel_is_shown(self):
        self.start()
        self.notepad.select_all()
        xdotool('key', 'ctrl+alt+w')
        self.assertIsNotNone(qmwine.wait_window('^Form1$', 10))
        qmwine.click_tray_icon(qmwine.wine_tray(), 3)
        menu = qmwine.wait_popup_menu(EXE)
        self.assertIsNotNone(menu)
        # notepad keeps the keyboard: choose "exit", the last item, with the mouse
        mx, my, mwidth, mheight = qmwine.window_geometry(menu)
        xdotool('mousemove', '--sync', mx + mwidth // 2, my + mheight - 8, 'click', 1)
        self.assertEqual(self.program.wait_exit(15), 0)
        self.assertEqual(self.program.read_ini(), qmwine.saved_ini(search_and_close=1))


if __name__ == '__main__':
    unittest.main()
