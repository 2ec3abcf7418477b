#!/usr/bin/python3
"""The web page's figures in headless Chromium: time until the page is ready
(lists filled), one Calculate press and one Store Result, medians.

usage: web_page.py SITE_DIR [LOADS]
"""

import os
import statistics
import sys
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

site = os.path.abspath(sys.argv[1])
loads = int(sys.argv[2]) if len(sys.argv) > 2 else 15
options = webdriver.ChromeOptions()
for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=800,700"]:
    options.add_argument(argument)
browser = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
try:
    ready = []
    for _ in range(loads):
        browser.get(f"file://{site}/index.html")
        end = time.monotonic() + 10
        while not (seen := browser.execute_script("return document.documentElement.dataset.ready")):
            if time.monotonic() > end:
                sys.exit("the page did not get ready within 10 s")
            time.sleep(0.01)
        ready.append(float(seen))
    # Presses and stores inside the page: the handler, the core and the DOM update.
    press, store = browser.execute_script("""
        cmbShapes.selectedIndex = 3; cmbShapes.dispatchEvent(new Event('change'));
        [txtParam0.value, txtParam1.value, txtParam2.value] = ['0.5', '12', '10'];
        cmbUnits2.selectedIndex = 1;
        const press = [], store = [];
        for (let i = 0; i < 200; ++i) {
          let t = performance.now(); cmdCalculate.click(); press.push(performance.now() - t);
          t = performance.now(); cmdStoreResult.click(); store.push(performance.now() - t);
        }
        if (txtResult.value !== '204.19' || lstResults.options.length !== 200) return null;
        return [press, store];""")
    size = sum(os.path.getsize(os.path.join(site, f)) for f in os.listdir(site))
    ms = lambda values: f"{statistics.median(values):.2f} ms"
    print(f"ready (lists filled), median of {loads} loads from file://: {ms(ready)}"
          f" (fastest {min(ready):.0f}, slowest {max(ready):.0f})")
    print(f"Calculate press, median of 200: {ms(press)}")
    print(f"Store Result, median of 200 (list growing to 200 lines): {ms(store)}")
    print(f"site on disk: {size} bytes")
finally:
    browser.quit()
