#!/usr/bin/env python3
"""`qvkdc check --serve` in a real browser, as the engineer uses it.

Two pages follow the server; the test edits a table three ways (a new file
renamed over it, in place, removed and made again) and after each edit both
pages show the new finding within two seconds, without being reloaded and
where the reader was on them. Skipped (77) without Selenium or ChromeDriver.

    serve_page_test.py --qvkdc PATH --shop DIR --work DIR
"""
import argparse
import os
import shutil
import subprocess
import sys
import time

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
except ImportError:
    print("serve_page_test: skipped: no selenium (python3-selenium)")
    sys.exit(77)

TABLE = os.path.join("MIRVANE", "CAM", "KR", "Tables", "ParameterSettingTable.tsv")


def browser():
    options = webdriver.ChromeOptions()
    for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage"):
        options.add_argument(arg)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def wait_for(pages, text, seconds):
    """Seconds until every page's text holds text; None past the limit."""
    start = time.monotonic()
    while time.monotonic() - start < seconds:
        # Read in the page, in one go: the body may be replaced between a
        # lookup of its element and a read of its text.
        if all(text in page.execute_script("return document.body.innerText") for page in pages):
            return time.monotonic() - start
        time.sleep(0.05)
    return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--qvkdc", required=True)
    parser.add_argument("--shop", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    if not os.path.exists("/usr/bin/chromedriver"):
        print("serve_page_test: skipped: no /usr/bin/chromedriver (chromium-driver)")
        return 77
    shutil.rmtree(args.work, ignore_errors=True)
    root = os.path.join(args.work, "shop")
    shutil.copytree(args.shop, root)
    table = os.path.join(root, TABLE)
    with open(table, encoding="utf-8") as f:
        clean = f.read()
    server = subprocess.Popen([args.qvkdc, "check", "--serve", "--root", root], stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, text=True)
    pages = []
    failures = []
    try:
        address = server.stdout.readline().strip()
        if not address.startswith("http://127.0.0.1:"):
            print("serve_page_test: the first line is no address:", address)
            return 1
        pages = [browser(), browser()]
        for page in pages:
            page.get(address)
        if wait_for(pages, "Result of", 10) is None:
            print("serve_page_test: the pages never showed the result's line")
            return 1
        # The reader is further down the page; the new result keeps the place.
        for page in pages:
            page.execute_script("window.scrollTo(0, 400)")
        for page in pages:
            # A reload would lose the window's own value; a new body, the body's.
            page.execute_script("window.qvkdcKept = 1; document.body.setAttribute('data-old', '1')")

        def by_rename(text):
            with open(table + ".new", "w", encoding="utf-8") as f:
                f.write(text)
            os.replace(table + ".new", table)

        def in_place(text):
            with open(table, "r+", encoding="utf-8") as f:
                f.truncate(0)
                f.write(text[: len(text) // 2])
                f.flush()
                time.sleep(0.1)
                f.write(text[len(text) // 2:])

        def remove_and_make(text):
            os.remove(table)
            time.sleep(0.2)
            with open(table, "w", encoding="utf-8") as f:
                f.write(text)

        for save, typo in ((by_rename, "Strnig"), (in_place, "Stirng"), (remove_and_make, "Sting")):
            save(clean.replace("ttlKHNAMEA\tString", "ttlKHNAMEA\t" + typo, 1))
            took = wait_for(pages, 'unknown value type "%s"' % typo, 2.0)
            if took is None:
                failures.append("%s: the new finding was not shown within 2 s" % save.__name__)
                continue
            print("serve_page_test: %s shown in %.2f s" % (save.__name__, took))
            for page in pages:
                if page.execute_script("return document.body.getAttribute('data-old')") is not None:
                    failures.append("%s: the page was not replaced" % save.__name__)
                if page.execute_script("return window.qvkdcKept") != 1:
                    failures.append("%s: the page was reloaded" % save.__name__)
                if abs(page.execute_script("return window.scrollY") - 400) > 1:
                    failures.append("%s: the reader's place was lost" % save.__name__)
                page.execute_script("document.body.setAttribute('data-old', '1')")
    finally:
        for page in pages:
            page.quit()
        server.terminate()
        try:
            code = server.wait(10)
        except subprocess.TimeoutExpired:
            server.kill()
            code = None
            failures.append("SIGTERM did not end the server")
    if code not in (0, None):
        failures.append("the server ended with %s: %s" % (code, server.stderr.read()))
    for failure in failures:
        print("serve_page_test:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
