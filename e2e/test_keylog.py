"""Unit tests of the probe-log checks: a wrong checker would pass broken programs."""

import unittest

import keylog as kl
from keylog import VK_LEFT, VK_UP, run


def keys(events, start_us=0):
    return [kl.Key(start_us + i, 0, down, vk, vk, kl.WM_KEYDOWN if down else kl.WM_KEYUP)
            for i, (down, vk) in enumerate(events)]


class ParseTest(unittest.TestCase):
    def test_reads_each_kind_and_skips_a_cut_last_line(self):
        text = ("K\t10\t500\tD\t37\t37\t256\n"
                "M\t11\t500\t513\t4\t5\n"
                "C\t12\t501\tmark left\n"
                "P\t13\t502\tmenu\t3\n"
                "K\t14\t50")
        entries = kl.parse(text)
        self.assertEqual(entries, [kl.Key(10, 500, True, 37, 37, 256), kl.Marker(12, 501, "mark left"),
                                   kl.MenuChoice(13, 3)])

    def test_keys_between_markers(self):
        entries = [kl.Marker(0, 0, "mark a"), *keys([(True, 1)]), kl.Marker(5, 0, "mark b"),
                   *keys([(True, 2), (False, 2)], 6), kl.Marker(9, 0, "mark c")]
        self.assertEqual([k.vk for k in kl.keys_between(entries, "mark b", "mark c")], [2, 2])
        self.assertEqual([k.vk for k in kl.keys_between(entries, "mark a")], [1, 2, 2])
        with self.assertRaises(ValueError):
            kl.keys_between(entries, "mark z")
        with self.assertRaises(ValueError):
            kl.keys_between(entries, "mark b", "mark a")


class BurstTableTest(unittest.TestCase):
    def test_sizes_and_endings(self):
        cases = [  # direction, events, releases at the end in order
            (1, 21, [39]), (-1, 21, [37]), (2, 31, [38]), (-2, 31, [40]),
            (3, 42, [39, 38]), (-3, 42, [37, 38]), (4, 42, [39, 40]), (-4, 42, [37, 40]),
        ]
        for direction, size, releases in cases:
            with self.subTest(direction=direction):
                burst = kl.HOLD_BURSTS[direction]
                self.assertEqual(len(burst), size)
                self.assertEqual(burst[-len(releases):], [(False, vk) for vk in releases])
                self.assertTrue(all(down for down, _ in burst[:-len(releases)]))

    def test_diagonal_pairs_put_the_vertical_key_first(self):
        self.assertEqual(kl.HOLD_BURSTS[-3][:4], [(True, VK_UP), (True, VK_LEFT)] * 2)


class MatchRunsTest(unittest.TestCase):
    LEFT = kl.HOLD_BURSTS[-1]
    UP_LEFT = kl.HOLD_BURSTS[-3]

    def test_counts_each_run_in_order(self):
        events = self.LEFT * 2 + self.UP_LEFT * 3
        counts = kl.match_runs(events, [run("left", self.LEFT), run("up-left", self.UP_LEFT, minimum=1)])
        self.assertEqual(counts, {"left": 2, "up-left": 3})

    def test_a_burst_one_press_short_is_named(self):
        short = kl.press(VK_LEFT, 19) + kl.release(VK_LEFT)
        with self.assertRaises(kl.SequenceMismatch) as caught:
            kl.match_runs(self.LEFT + short, [run("left", self.LEFT, minimum=1)])
        self.assertIn("event 21 of 41", str(caught.exception))

    def test_runs_out_of_order_fail(self):
        with self.assertRaises(kl.SequenceMismatch):
            kl.match_runs(self.UP_LEFT + self.LEFT, [run("left", self.LEFT), run("up-left", self.UP_LEFT)])

    def test_too_few_repetitions_fail(self):
        with self.assertRaises(kl.SequenceMismatch) as caught:
            kl.match_runs(self.LEFT, [run("left", self.LEFT, minimum=2)])
        self.assertIn("left: 1 times, at least 2", str(caught.exception))

    def test_maximum_leaves_the_rest_to_the_next_run(self):
        counts = kl.match_runs(self.LEFT * 3, [run("first", self.LEFT, 1, 1), run("rest", self.LEFT, 2)])
        self.assertEqual(counts, {"first": 1, "rest": 2})

    def test_a_partial_first_burst_is_allowed_only_when_asked(self):
        events = self.UP_LEFT[30:] + self.UP_LEFT * 2
        runs = [run("up-left", self.UP_LEFT, minimum=2)]
        self.assertEqual(kl.match_runs(events, runs, partial_start=True), {"up-left": 2})
        with self.assertRaises(kl.SequenceMismatch):
            kl.match_runs(events, runs)

    def test_a_partial_start_must_be_the_tail_of_a_pattern(self):
        events = kl.press(VK_LEFT, 3) + kl.release(VK_UP) + self.LEFT
        with self.assertRaises(kl.SequenceMismatch):
            kl.match_runs(events, [run("left", self.LEFT, minimum=1)], partial_start=True)

    def test_nothing_expected_and_nothing_seen(self):
        self.assertEqual(kl.match_runs([], [run("left", self.LEFT)]), {"left": 0})


class MatchAnyTest(unittest.TestCase):
    UP = kl.HOLD_BURSTS[2]
    PATTERNS = {"up": UP, "press A with up": kl.button_burst(65) + UP, "release A": kl.button_release(65, 83)}

    def test_any_order_of_whole_bursts(self):
        events = self.UP + kl.button_burst(65) + self.UP + kl.button_release(65, 83) + self.UP
        self.assertEqual(kl.match_any(events, self.PATTERNS), {"up": 2, "press A with up": 1, "release A": 1})

    def test_a_cut_burst_fails(self):
        with self.assertRaises(kl.SequenceMismatch):
            kl.match_any(self.UP + self.UP[:-1], self.PATTERNS)


class SummaryTest(unittest.TestCase):
    def test_folds_repeats_and_pairs(self):
        self.assertEqual(kl.summarize(kl.HOLD_BURSTS[3]),
                         "(press VK_UP, press VK_RIGHT) x20, release VK_RIGHT, release VK_UP")
        self.assertEqual(kl.summarize(kl.HOLD_BURSTS[-1] + kl.button_burst(65)),
                         "press VK_LEFT x20, release VK_LEFT, press 65 x5")

    def test_stops_at_the_limit(self):
        self.assertEqual(kl.summarize(kl.HOLD_BURSTS[-1] * 3, limit=2), "press VK_LEFT x20, release VK_LEFT, ... 42 more")


class KeyStateTest(unittest.TestCase):
    def test_held_keys_are_those_last_pressed(self):
        log = keys([(True, 65), (True, 37), (False, 37), (True, 83), (False, 65)])
        self.assertEqual(kl.held_keys(log), {83})

    def test_scan_code_must_repeat_the_key_code(self):
        log = keys([(True, 65)]) + [kl.Key(9, 0, True, 37, 75, kl.WM_KEYDOWN),
                                    kl.Key(10, 0, True, 18, 18, 260)]
        self.assertEqual([k.vk for k in kl.scan_codes_mismatching(log)], [37, 18])

    def test_burst_times_skip_what_lies_between(self):
        log = keys(kl.button_burst(65) + self.left() + kl.button_burst(65) + self.left())
        self.assertEqual(kl.burst_times(log, self.left()), [25, 51])

    @staticmethod
    def left():
        return kl.HOLD_BURSTS[-1]


if __name__ == "__main__":
    unittest.main()
