// The web page's one script: builds the form from the core's table of
// controls and wires the document to the core. No weight, message, caption or
// rule is written here; they all come from the core (metal-weight-core.js).

const core = await MetalWeightCore();
const form = new core.PageForm();
const page = document.getElementById("Form1");
const $ = (id) => document.getElementById(id);
const SLOTS = 5;

// ---- the controls, at their designed places --------------------------------

const controls = core.controls();

function make(c) {
  let el;
  switch (c.kind) {
    case "frame":
      el = document.createElement("div");
      el.className = "frame";
      el.setAttribute("role", "group");
      el.setAttribute("aria-labelledby", c.id + "Caption");
      el.append(Object.assign(document.createElement("span"),
                              { id: c.id + "Caption", className: "caption", textContent: c.text }));
      break;
    case "label":
      el = document.createElement("span");
      el.className = "text";
      el.textContent = c.text;
      break;
    case "link":
      el = Object.assign(document.createElement("a"), { href: c.address, textContent: c.text });
      break;
    case "combo":
      el = document.createElement("select");
      break;
    case "field":
      el = Object.assign(document.createElement("input"), { type: "text", value: c.text });
      el.autocomplete = "off";
      el.spellcheck = false;
      break;
    case "list":
      el = document.createElement("select");
      el.size = 2;
      break;
    case "button":
      el = Object.assign(document.createElement("button"), { type: "button", textContent: c.text });
      break;
  }
  el.id = c.id;
  el.classList.add(c.style);
  if (c.name) el.setAttribute("aria-label", c.name);
  if (c.description) {
    const said = Object.assign(document.createElement("span"),
                               { id: c.id + "Description", hidden: true, textContent: c.description });
    document.body.append(said);
    el.setAttribute("aria-describedby", said.id);
  }
  const size = c.style === "autosize" || c.style === "bold" || c.style === "link";
  Object.assign(el.style, { left: c.left + "px", top: c.top + "px" });
  if (!size) Object.assign(el.style, { width: c.width + "px", height: c.height + "px" });
  return el;
}

// Document order is the window's tab order (a caption just before the field
// it names), so Tab and a screen reader's reading go as in the window.
const tabOf = Object.fromEntries(controls.map((c) => [c.id, c.tab]));
const focusable = new Set(["combo", "field", "list", "button", "link"]);
function order(c) {
  if (c.kind === "frame") {
    return Math.min(...controls.filter((k) => k.container === c.id && focusable.has(k.kind))
                               .map((k) => k.tab));
  }
  return c.tab;
}
const elements = {};
for (const c of controls) elements[c.id] = make(c);
const sorted = [...controls].sort((a, b) => order(a) - order(b));
for (const c of sorted) (c.container ? elements[c.container] : page).append(elements[c.id]);
// Unit captions in the parameter frame come first there, as headings do.
elements.Frame2.insertBefore(elements.Label4, elements.Frame2.children[1]);

// ---- the lists --------------------------------------------------------------

const lists = core.lists();
document.title = lists.title;
const fill = (select, texts, spoken) => {
  select.replaceChildren(...texts.map((text, i) => {
    const option = new Option(text, String(i));
    if (spoken) option.setAttribute("aria-label", spoken[i]);
    return option;
  }));
};
fill($("cmbAlloy"), lists.alloys);
fill($("cmbShapes"), lists.shapes);
for (let i = 0; i < SLOTS; ++i) fill($("cmbUnits" + i), lists.units, lists.unitWords);

// ---- what the core says ----------------------------------------------------

const announcer = $("announcer");
let spoken = 0;
function announce(text) {
  if (!text) return;
  // The same words twice in a row are still read: the region changes each time.
  announcer.textContent = text + (spoken++ % 2 ? "\u00a0" : "");
}

const box = $("messageBox");
let afterBox = null;
function showMessage(answer, focusId) {
  $("messageTitle").textContent = answer.title;
  $("messageText").textContent = answer.text;
  afterBox = focusId ? $(focusId) : document.activeElement;
  // What was said before is stale now; a reader may read the region again
  // once the box has closed.
  announcer.textContent = "";
  box.showModal();
  $("messageOK").focus();
}
box.addEventListener("close", () => {
  const target = afterBox;
  afterBox = null;
  if (!target) return;
  target.focus();
  if (target.select) target.select();
});

function showFields(announceThem) {
  const fields = core.fields($("cmbShapes").selectedIndex, state());
  for (let i = 0; i < SLOTS; ++i) {
    const shown = i < fields.captions.length;
    for (const id of ["lblParam", "txtParam", "cmbUnits"]) $(id + i).hidden = !shown;
    if (!shown) continue;
    $("lblParam" + i).textContent = fields.captions[i];
    $("txtParam" + i).setAttribute("aria-label", fields.names[i]);
    $("cmbUnits" + i).setAttribute("aria-label", fields.unitNames[i]);
  }
  if (announceThem) announce(fields.announcement);
}

function state() {
  const texts = [], units = [];
  for (let i = 0; i < SLOTS; ++i) {
    texts.push($("txtParam" + i).value);
    units.push($("cmbUnits" + i).selectedIndex);
  }
  return { alloy: $("cmbAlloy").selectedIndex, shape: $("cmbShapes").selectedIndex, texts, units,
           pieces: $("txtNumPieces").value, result: $("txtResult").value };
}

// ---- the handlers -----------------------------------------------------------

$("cmbShapes").addEventListener("change", () => showFields(true));
// Only the user's own edits fire "input", never the page's: a weight typed
// there is theirs to store.
$("txtResult").addEventListener("input", () => core.resultEdited(form));

$("cmdCalculate").addEventListener("click", () => {
  const answer = core.calculate(form, state());
  if (answer.result !== undefined) $("txtResult").value = answer.result;
  if (answer.title) showMessage(answer, answer.focus);
  announce(answer.announcement);
});

$("cmdClearFields").addEventListener("click", () => {
  const answer = core.cleared();
  for (let i = 0; i < SLOTS; ++i) $("txtParam" + i).value = "";
  $("txtNumPieces").value = answer.pieces;
  $("txtResult").value = "";
  announce(answer.announcement);
});

const list = $("lstResults");
$("cmdStoreResult").addEventListener("click", () => {
  const answer = core.store(form, state(), list.options.length);
  if (answer.title) return showMessage(answer);
  const option = document.createElement("option");
  option.textContent = answer.line;
  list.append(option);
  announce(answer.announcement);
});

function removeResult() {
  const answer = core.remove(list.selectedIndex, list.options.length);
  if (answer.title) return showMessage(answer);
  list.options[list.selectedIndex].remove();
  list.selectedIndex = -1;
  announce(answer.announcement);
}
$("cmdDeleteResult").addEventListener("click", removeResult);
list.addEventListener("keydown", (event) => {
  if (event.key === "Delete") removeResult();
});

// Print Results: the report alone, through the browser's print dialog.
const report = $("report");
function writeReport() {
  const lines = [...list.options].map((option) => option.textContent);
  report.replaceChildren(...core.report(lines).map((line) => {
    const p = document.createElement("p");
    p.textContent = line.text;
    Object.assign(p.style, { fontSize: line.size + "pt", fontWeight: line.bold ? "bold" : "normal",
                             fontStyle: line.italic ? "italic" : "normal" });
    return p;
  }));
}
window.addEventListener("beforeprint", writeReport);
$("cmdPrint").addEventListener("click", () => {
  writeReport();
  window.print();
});

$("cmbShapes").selectedIndex = lists.startShape;
showFields(false);
page.removeAttribute("aria-busy");
document.documentElement.dataset.ready = performance.now().toFixed(1);
