"""The tray icon and its menu, driven through Wine's notification area with the mouse."""
import time
import unittest

import qmwine

HOST_EXE = 'tray_host.exe'
HOST_TITLE = '^Quenmark Tray Host$'
LINKS = ['http://www.quenmark.com/search/index.html',  # Browse Home
         'http://www.quenmark.com',                     # Quenmark
         'http://www.lindhollow.com']                   # Lindhollow


class TrayIconAndMenu(unittest.TestCase):
    def setUp(self):
        self.host = qmwine.Program(HOST_EXE).start()
        self.assertTrue(self.host.wait_output(r'^ready$', 20), self.host.output())
        self.tray = qmwine.wine_tray()
        self.assertIsNotNone(self.tray, 'the icon never reached the notification area')

    def tearDown(self):
        self.host.cleanup()

    def count(self, line):
        return self.host.output().splitlines().count(line)

    def open_menu(self, button):
        qmwine.click_tray_icon(self.tray, button)
        menu = qmwine.wait_popup_menu(HOST_EXE)
        self.assertIsNotNone(menu, self.host.output())
        return menu

    def choose(self, keys, button=3):
        closed = self.count('menu closed')
        self.open_menu(button)
        qmwine.xdotool('key', '--delay', '100', *keys)
        self.assertTrue(qmwine.wait_until(lambda: self.count('menu closed') > closed, 10),
                        self.host.output())

    def test_balloon_once_menu_from_either_button_and_every_item(self):
        self.assertEqual(qmwine.balloons(), [])
        qmwine.hover_tray_icon(self.tray)
        self.assertTrue(qmwine.wait_until(qmwine.balloons, 10), 'no balloon on the first hover')

        # Both buttons bring up the same menu; dismissing it does nothing.
        self.choose(['Escape'], button=3)
        self.choose(['Escape'], button=1)
        self.assertEqual((self.count('popup'), self.count('click')), (1, 1), self.host.output())

        for downs in (2, 3, 4):  # the separator after "Browse Home" is skipped
            self.choose(['Down'] * downs + ['Return'])
        self.assertEqual(self.host.wait_launches(3), LINKS)

        self.assertEqual(qmwine.find_windows(HOST_TITLE), [])
        self.choose(['Down', 'Return'], button=1)
        self.assertEqual(self.count('setting'), 1)
        self.assertTrue(qmwine.wait_window(HOST_TITLE, 10), '"Setting" did not show the host')

        # Later hovers bring no balloon: once the first has gone, none follows.
        qmwine.move_pointer_away()
        self.assertTrue(qmwine.wait_until(lambda: not qmwine.balloons(), 40),
                        'the balloon did not go away or came again')
        qmwine.hover_tray_icon(self.tray)
        time.sleep(4)
        self.assertEqual(qmwine.balloons(), [])
        self.assertGreater(self.count('notify 0x200'), 2)

        # "exit" ends the host and takes the icon away.
        self.choose(['Up', 'Return'])
        self.assertEqual(self.host.wait_exit(15), 0, self.host.output())
        self.assertTrue(qmwine.wait_until(lambda: not qmwine.find_windows('^Wine System Tray$'),
                                          10), 'the icon stayed after exit')
        self.assertEqual(self.host.launched_urls(), LINKS)


if __name__ == '__main__':
    unittest.main()
