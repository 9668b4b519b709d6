#!/usr/bin/env python3
"""Writes a small library for the end-to-end tests of the panel into SEED_DIR: two
categories, "Alpha Notes" with a prompt without fields and "Beta Forms" with "Keyboard tour",
a prompt with a field of every kind (text, choice, shared list, number, range, date).
Usage: form_seed.py SEED_DIR SHIPPED_DATA_JSON (its value lists are kept)."""
import json, sys
seed, shipped = sys.argv[1], sys.argv[2]
data = json.load(open(shipped))
alpha, beta = "A1A1A1A1-0000-4000-8000-000000000001", "B2B2B2B2-0000-4000-8000-000000000002"
data["categories"] = [
    {"id": alpha, "name": "Alpha Notes", "icon": "doc.text", "description": "Plain notes."},
    {"id": beta, "name": "Beta Forms", "icon": "list.bullet", "description": "Forms to fill."}]
json.dump(data, open(seed + "/data.json", "w"))
def prompt(pid, category, title, template):
    return {"id": pid, "categories": [category], "tags": [], "title": title, "description": title + ".",
            "template": template, "created": "2026-01-01", "updated": "2026-01-01", "hot": False, "active": True}
prompts = {"metadata": {"version": "1.0", "last_updated": "2026-12-01", "author": "e2e"}, "prompts": [
    prompt("A1A1A1A1-1111-4000-8000-000000000001", alpha, "Alpha note", "Alpha body text, no fields."),
    prompt("B2B2B2B2-1111-4000-8000-000000000001", beta, "Keyboard tour",
           "Topic: {{Topic:}}\nTone: {{Tone: formal, casual, playful}}\nLanguage: {{Language: [languages]}}\n"
           "Count: {{Count: 3}}\nLevel: {{Level: 1-10}}\nDue: {{Due: 2027-05-10}}")]}
json.dump(prompts, open(seed + "/prompts.json", "w"))
