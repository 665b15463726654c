"""The search panel driven with real mouse and keyboard input: clicks on engine
captions launch the recording browser, the "Search and then close" box decides
whether the panel hides, the banner drags the panel."""
import os
import time
import unittest

import qmwine
from qmwine import Program, xdotool

# Pixel boxes (left, top, width, height) at 96 dpi, relative to the panel.
CAPTIONS = {
    'webg': (48, 48, 49, 17), 'webb': (112, 48, 41, 17), 'weby': (168, 48, 41, 17),
    'imageg': (48, 77, 49, 17), 'imageb': (112, 77, 41, 17), 'imagey': (168, 77, 41, 17),
    'asda': (48, 104, 73, 17), 'askw': (128, 104, 25, 17), 'asky': (168, 104, 41, 17),
    'newsg': (48, 128, 49, 17), 'newsb': (112, 128, 41, 17), 'newsc': (168, 128, 41, 17),
    'videoy': (48, 157, 49, 17), 'videob': (112, 157, 41, 17), 'videoya': (168, 157, 41, 17),
    'shopa': (48, 181, 49, 17), 'shope': (112, 181, 41, 17),
}
TEXT_BOX = (80, 16, 129, 17)
WEB_HEADING = (2, 56, 33, 17)
YELLOW = (255, 255, 0)
WIKI = 'https://en.wikipedia.org/wiki/Special:Search?go=Go&search='


class PanelHost:
    """panel_host.exe showing the panel at (100, 100) from the start."""

    def __init__(self, check3, text=''):
        self.program = Program('panel_host.exe')
        self.program.start({'QM_CHECK3': str(check3), 'QM_PANEL_POS': '100,100',
                            'QM_PANEL_TEXT': text})
        if not self.program.wait_output(r'^ready hotkeys=1', 30):
            raise RuntimeError('host did not start: ' + self.program.output())
        self.wid = qmwine.wait_window('^Form1$', 10)
        if self.wid is None:
            raise RuntimeError('the panel did not show')

    def origin(self):
        x, y, _, _ = qmwine.window_geometry(self.wid)
        return x, y

    def visible(self):
        return self.wid in qmwine.find_windows('^Form1$')

    def click(self, rel_x, rel_y, button=1):
        x, y = self.origin()
        xdotool('mousemove', x + rel_x, y + rel_y, 'click', button)

    def click_caption(self, control):
        left, top, width, height = CAPTIONS[control]
        self.click(left + width // 2, top + height // 2)

    def launch(self, count):
        """The count-th launched URL, waiting for it."""
        urls = self.program.wait_launches(count, 10)
        if not urls:
            raise AssertionError('no launch number %d; got %s' % (
                count, self.program.launched_urls()))
        return urls[count - 1]

    def close(self):
        self.program.cleanup()


class TickedBox(unittest.TestCase):
    """"Search and then close" ticked; the box holds "New York"."""

    @classmethod
    def setUpClass(cls):
        cls.host = PanelHost(check3=1, text='New York')

    @classmethod
    def tearDownClass(cls):
        cls.host.close()

    def test_1_panel_is_drawn_at_its_size_with_yellow_captions(self):
        self.assertEqual(qmwine.window_geometry(self.host.wid), (100, 100, 221, 203))
        screen = qmwine.ScreenPixels()

        def at(rel_x, rel_y):
            return screen.pixel(100 + rel_x, 100 + rel_y)

        for control, (left, top, width, height) in CAPTIONS.items():
            self.assertEqual(at(left + 1, top + 1), YELLOW, control)
            self.assertEqual(at(left + width - 2, top + height - 1), YELLOW, control)
        self.assertEqual(at(TEXT_BOX[0] + TEXT_BOX[2] - 3, TEXT_BOX[1] + 8), (224, 224, 224))
        left, top, width, height = WEB_HEADING
        heading = [at(x, y) for x in range(left, left + width) for y in range(top, top + height)]
        self.assertTrue(any(r > 200 and g < 80 and b > 200 for r, g, b in heading),
                        'no magenta in the WEB heading')
        self.assertLess(sum(at(40, 140)), 150, 'divider line missing')
        r, g, b = at(5, 5)
        self.assertGreater(b, r + 30, 'banner is not drawn')
        r, g, b = at(20, 199)
        self.assertTrue(abs(r - b) < 20 and 150 < r < 245, 'background is not drawn: %s'
                        % ((r, g, b),))

    def test_2_ask_row_searches_and_stays(self):
        self.host.click_caption('askw')
        self.assertEqual(self.host.launch(1), WIKI + 'New%20York')
        time.sleep(0.5)
        self.assertTrue(self.host.visible())

    def test_3_headings_lines_background_and_a_still_banner_press_do_nothing(self):
        for rel in [(10, 60), (100, 72), (190, 190), (20, 20)]:
            self.host.click(*rel)
        time.sleep(1.0)
        self.assertEqual(len(self.host.program.launched_urls()), 1)
        self.assertEqual(self.host.origin(), (100, 100))
        self.assertTrue(self.host.visible())

    def test_4_right_button_drag_on_the_banner_moves_the_panel(self):
        xdotool('mousemove', 110, 110, 'mousedown', 3)
        for step in range(1, 7):
            time.sleep(0.05)
            xdotool('mousemove', 110 + 10 * step, 110 + 5 * step)
        self.assertTrue(qmwine.wait_until(lambda: self.host.origin() == (160, 130), 20),
                        'the panel did not follow: %s' % (self.host.origin(),))
        xdotool('mouseup', 3)
        time.sleep(0.3)
        # Released: the panel no longer follows the mouse, and clicks reach it again.
        xdotool('mousemove', 400, 400)
        time.sleep(0.5)
        self.assertEqual(self.host.origin(), (160, 130))
        self.host.click_caption('askw')
        self.assertEqual(self.host.launch(2), WIKI + 'New%20York')

    def test_5_edited_text_is_searched_and_the_panel_hides(self):
        x, y = self.host.origin()
        self.host.click(TEXT_BOX[0] + 60, TEXT_BOX[1] + 8)
        time.sleep(0.3)
        xdotool('key', '--clearmodifiers', 'End', 'shift+Home', 'BackSpace')
        xdotool('type', 'Paris')
        time.sleep(0.3)
        self.host.click_caption('videob')
        self.assertEqual(self.host.launch(3), 'https://www.bing.com/videos/search?q=Paris')
        # Wine without a window manager takes up to 2 s to unmap a panel that was dragged.
        self.assertTrue(qmwine.wait_until(lambda: not self.host.visible(), 20),
                        'the panel stayed')


class ClearBox(unittest.TestCase):
    """"Search and then close" clear; the box is empty."""

    @classmethod
    def setUpClass(cls):
        cls.host = PanelHost(check3=0)

    @classmethod
    def tearDownClass(cls):
        cls.host.close()

    def test_every_search_opens_the_bare_template_and_the_panel_stays(self):
        expected = {
            'webg': 'https://www.google.com/search?q=',
            'imagey': 'https://www.flickr.com/search/?text=',
            'asky': 'https://search.yahoo.com/search?p=',
            'newsc': 'https://news.search.yahoo.com/search?p=',
            'shopa': 'https://www.amazon.com/s?k=',
        }
        for count, (control, url) in enumerate(expected.items(), start=1):
            self.host.click_caption(control)
            self.assertEqual(self.host.launch(count), url, control)
            time.sleep(0.3)
            self.assertTrue(self.host.visible(), control)


if __name__ == '__main__':
    unittest.main()
