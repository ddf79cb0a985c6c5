// SPDX-License-Identifier: MIT
// The page's toolkit: it draws and reads the elements of index.html for the program (name.wasm),
// and hands every event to the program by its handler's name. What the window does is the
// program's; here are only the controls' own manners (a list that selects several entries, menus,
// modal dialogs) and what a page does instead of the desktop.
import createNameModule from './name.js';

const $ = (id) => document.getElementById(id);
const dateBoxes = ['cboYear', 'cboMonth', 'cboDay', 'cboHour', 'cboMinute'];
const options = ['optOne', 'optTwo', 'optMan', 'optWoman'];
const lstName = $('lstName');
const txtOut = $('txtOut');
const txtXingShi = $('txtXingShi');

let program;
// Events reach the program one at a time, in order: a handler that waits for a dialog must finish
// before the next one starts, as on the desktop's one thread.
let queue = Promise.resolve();
// A handler that fails is reported and does not stop the ones after it.
function call(fn, types, args) {
  queue = queue.then(() => program.ccall(fn, null, types, args, { async: true })).catch((error) => console.error(error));
}
// A handler of the form or a menu item, by its name.
const send = (name) => call('name_web_event', ['string'], [name]);
// lstName_MouseDown: the DOM's button number (0 left, 1 middle, 2 right) and the page's pixels.
const sendMouseDown = (button, x, y) =>
  call('name_web_list_mouse_down', ['number', 'number', 'number'], [button, Math.round(x), Math.round(y)]);

// The list: options of a listbox, several selectable by mouse (click, Ctrl+click, Shift+click, a
// drag), by touch (a tap adds or removes an entry) and by keyboard (arrows, Shift, Ctrl+Space).
const list = {
  current: -1,
  anchor: -1,
  serial: 0,
  items() { return lstName.children; },
  setCurrent(index) {
    const items = this.items();
    if (this.current >= 0 && this.current < items.length) items[this.current].classList.remove('current');
    this.current = items.length ? Math.max(0, Math.min(index, items.length - 1)) : -1;
    if (this.current < 0) {
      lstName.removeAttribute('aria-activedescendant');
      return;
    }
    const item = items[this.current];
    item.classList.add('current');
    lstName.setAttribute('aria-activedescendant', item.id);
    item.scrollIntoView({ block: 'nearest' });
  },
  select(index, selected) { this.items()[index].setAttribute('aria-selected', selected ? 'true' : 'false'); },
  selectOnly(index) {
    for (let i = 0; i < this.items().length; ++i) this.select(i, i === index);
  },
  selectRange(from, to) {
    const [low, high] = from < to ? [from, to] : [to, from];
    for (let i = 0; i < this.items().length; ++i) this.select(i, i >= low && i <= high);
  },
  indexOf(element) {
    const item = element.closest('[role=option]');
    return item ? Array.prototype.indexOf.call(this.items(), item) : -1;
  },
};

function listKey(event) {
  const count = list.items().length;
  if (event.key === 'ContextMenu' || (event.key === 'F10' && event.shiftKey)) {
    event.preventDefault();
    const item = list.items()[list.current];
    const box = (item || lstName).getBoundingClientRect();
    showPopup($('mnulstRight'), box.left + box.width / 2, box.top + box.height / 2, lstName);
    return;
  }
  if (!count) return;
  const page = Math.max(1, Math.floor(lstName.clientHeight / (list.items()[0].offsetHeight || 1)) - 1);
  const moves = { ArrowDown: 1, ArrowUp: -1, PageDown: page, PageUp: -page, Home: -count, End: count };
  if (event.key in moves) {
    event.preventDefault();
    list.setCurrent(Math.max(list.current, 0) + moves[event.key]);
    if (event.shiftKey) {
      if (list.anchor < 0) list.anchor = list.current;
      list.selectRange(list.anchor, list.current);
    } else if (!event.ctrlKey) {
      list.selectOnly(list.current);
      list.anchor = list.current;
    }
  } else if (event.key === ' ' && list.current >= 0) {
    event.preventDefault();
    const item = list.items()[list.current];
    list.select(list.current, event.ctrlKey ? item.getAttribute('aria-selected') !== 'true' : true);
    list.anchor = list.current;
  } else if (event.key === 'a' && (event.ctrlKey || event.metaKey)) {
    event.preventDefault();
    for (let i = 0; i < count; ++i) list.select(i, true);
  }
}

let dragging = false;
let longPress = null;
function listPointerDown(event) {
  if (event.pointerType === 'touch') {
    const { clientX: x, clientY: y } = event;
    // A long press is the touch screen's right button.
    longPress = { x, y, fired: false, timer: setTimeout(() => {
      longPress.fired = true;
      sendMouseDown(2, x, y);
    }, 550) };
    return;
  }
  sendMouseDown(event.button, event.clientX, event.clientY);
  // The right button belongs to the popup menu and leaves the selection alone.
  if (event.button !== 0) return;
  const index = list.indexOf(event.target);
  if (index < 0) return;
  if (event.shiftKey && list.anchor >= 0) {
    list.selectRange(list.anchor, index);
  } else if (event.ctrlKey || event.metaKey) {
    const item = list.items()[index];
    list.select(index, item.getAttribute('aria-selected') !== 'true');
    list.anchor = index;
  } else {
    list.selectOnly(index);
    list.anchor = index;
    dragging = true;
  }
  list.setCurrent(index);
}

function listPointerOver(event) {
  if (!dragging) return;
  const index = list.indexOf(event.target);
  if (index < 0) return;
  list.selectRange(list.anchor, index);
  list.setCurrent(index);
}

function listPointerUp(event) {
  dragging = false;
  if (event.pointerType !== 'touch' || !longPress) return;
  clearTimeout(longPress.timer);
  const moved = Math.hypot(event.clientX - longPress.x, event.clientY - longPress.y) > 10;
  const { fired } = longPress;
  longPress = null;
  if (fired || moved) return;
  const index = list.indexOf(event.target);
  if (index < 0) return;
  const item = list.items()[index];
  list.select(index, item.getAttribute('aria-selected') !== 'true');
  list.anchor = index;
  list.setCurrent(index);
}

// Menus: the menu bar's 文件 and the list's popup. Arrows move, Enter or Space choose, Escape
// closes and gives the focus back.
let openMenu = null;
function menuItems(menu) { return Array.from(menu.querySelectorAll('[role=menuitem]')); }

function showPopup(menu, x, y, returnFocus) {
  closeMenu(false);
  menu.hidden = false;
  if (menu.id === 'mnulstRight') {
    const width = menu.offsetWidth;
    const height = menu.offsetHeight;
    menu.style.left = `${Math.max(0, Math.min(x, window.innerWidth - width))}px`;
    menu.style.top = `${Math.max(0, Math.min(y, window.innerHeight - height))}px`;
  }
  openMenu = { menu, returnFocus };
  if (menu.id === 'mnuFileItems') $('mnuFile').setAttribute('aria-expanded', 'true');
  menuItems(menu)[0].focus();
}

function closeMenu(restoreFocus = true) {
  if (!openMenu) return;
  const { menu, returnFocus } = openMenu;
  openMenu = null;
  menu.hidden = true;
  $('mnuFile').setAttribute('aria-expanded', 'false');
  if (restoreFocus && returnFocus) returnFocus.focus();
}

function menuKey(event) {
  const items = menuItems(event.currentTarget);
  const at = items.indexOf(document.activeElement);
  const moves = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: items.length - 1 };
  if (event.key in moves) {
    event.preventDefault();
    items[(moves[event.key] + items.length) % items.length].focus();
  } else if (event.key === 'Escape' || event.key === 'Tab') {
    event.preventDefault();
    closeMenu();
  }
}

function buildMenu(id, items) {
  const menu = id === 'mnuFile' ? $('mnuFileItems') : $(id);
  for (const line of items.split('\n')) {
    const [name, caption] = line.split('\t');
    if (!caption) {
      const separator = document.createElement('div');
      separator.id = name;
      separator.setAttribute('role', 'separator');
      menu.append(separator);
      continue;
    }
    const item = document.createElement('button');
    item.type = 'button';
    item.id = name;
    item.setAttribute('role', 'menuitem');
    item.tabIndex = -1;
    item.textContent = caption;
    item.addEventListener('click', () => {
      closeMenu();
      send(name);
    });
    menu.append(item);
  }
  menu.addEventListener('keydown', menuKey);
}

// Message boxes: a modal <dialog> with the title, the text and the buttons; it takes the focus and
// gives it back, and resolves to the index of the button pressed (Escape: the last button).
function dialog(text, title, icon, buttons) {
  const box = $('messageBox');
  const returnFocus = document.activeElement;
  $('messageTitle').textContent = title;
  $('messageText').textContent = text;
  box.dataset.icon = ['none', 'information', 'critical'][icon] || 'none';
  const row = box.querySelector('.buttons');
  row.replaceChildren();
  const captions = buttons.split('\n');
  return new Promise((resolve) => {
    const finish = (index) => {
      box.removeEventListener('cancel', cancel);
      box.close();
      if (returnFocus && returnFocus.isConnected) returnFocus.focus();
      resolve(index);
    };
    const cancel = (event) => {
      event.preventDefault();
      finish(captions.length - 1);
    };
    box.addEventListener('cancel', cancel);
    captions.forEach((caption, index) => {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = caption;
      button.addEventListener('click', () => finish(index));
      row.append(button);
    });
    box.showModal();
    row.firstChild.focus();
  });
}

// What the program calls: each method only draws or reads elements.
const toolkit = {
  setTitle(text) { document.title = text; },
  setCaption(id, text) {
    const element = $(id);
    if (element instanceof HTMLFieldSetElement) element.querySelector('legend').textContent = text;
    else if (element instanceof HTMLInputElement) document.querySelector(`label[for=${id}]`).textContent = text;
    else if (element instanceof HTMLTextAreaElement || element.getAttribute('role') === 'menu') element.setAttribute('aria-label', text);
    else if (id === 'cmdYes') element.querySelector('span').textContent = text;
    else element.textContent = text;
  },
  setListNames(name, tooltip) {
    lstName.setAttribute('aria-label', name);
    lstName.title = tooltip;
  },
  buildMenu,

  listCount() { return list.items().length; },
  listSelected(_a, _b, index) { return list.items()[index]?.getAttribute('aria-selected') === 'true'; },
  listText(index) { return list.items()[index]?.textContent ?? ''; },
  listRemove(_a, _b, index) {
    const items = list.items();
    if (index < 0 || index >= items.length) return;
    const current = list.current;
    items[index].remove();
    list.current = -1;
    list.anchor = -1;
    list.setCurrent(current > index ? current - 1 : current);
  },
  listClear() {
    lstName.replaceChildren();
    list.current = -1;
    list.anchor = -1;
    lstName.removeAttribute('aria-activedescendant');
  },
  listAdd(text) {
    const item = document.createElement('div');
    item.setAttribute('role', 'option');
    item.setAttribute('aria-selected', 'false');
    item.id = `lstName-${++list.serial}`;
    item.textContent = text;
    lstName.append(item);
  },
  listCurrentText() { return list.items()[list.current]?.textContent ?? ''; },

  familyName() { return txtXingShi.value; },
  familyNameCaret() { return txtXingShi.selectionStart ?? txtXingShi.value.length; },
  setFamilyName(text, _b, caret) {
    txtXingShi.value = text;
    txtXingShi.setSelectionRange(caret, caret);
  },
  selectFamilyName(_a, _b, start, length) { txtXingShi.setSelectionRange(start, start + length); },

  outText() { return txtOut.value; },
  setOutText(text) { txtOut.value = text; },
  setOutSelection(_a, _b, start, length) {
    // To the end first, so the box scrolls back just far enough to show the caret's line.
    txtOut.focus({ preventScroll: true });
    txtOut.setSelectionRange(txtOut.value.length, txtOut.value.length);
    txtOut.scrollTop = txtOut.scrollHeight;
    txtOut.setSelectionRange(start, start + length);
    const lines = txtOut.value.slice(0, start).split('\n').length - 1;
    const lineHeight = parseFloat(getComputedStyle(txtOut).lineHeight) || 20;
    txtOut.scrollTop = lines * lineHeight;
  },
  setOutFontSize(_a, _b, points) { txtOut.style.fontSize = `${points}pt`; },
  fillDateBox(entries, text, box) {
    const id = dateBoxes[box];
    const choices = $(`${id}-choices`);
    choices.replaceChildren(...entries.split('\n').map((entry) => {
      const option = document.createElement('option');
      option.value = entry;
      return option;
    }));
    $(id).value = text;
  },
  dateBoxText(box) { return $(dateBoxes[box]).value; },
  optionValue(_a, _b, option) { return $(options[option]).checked; },
  viewportWidth() { return window.innerWidth; },
  viewportHeight() { return window.innerHeight; },
  showListPopup(_a, _b, x, y) { showPopup($('mnulstRight'), x, y, lstName); },
  closeOtherWindows() {
    closeMenu(false);
    if ($('messageBox').open) $('messageBox').close();
  },

  dialog,
  saveSetting(key, value) { localStorage.setItem(key, value); },
  now() {
    const d = new Date();
    return [d.getFullYear(), d.getMonth() + 1, d.getDate(), d.getHours(), d.getMinutes(), d.getSeconds()].join(' ');
  },
  // The maker's site in a tab of its own, cut off from this page; false when the browser refused.
  openTab(address) {
    const tab = window.open(address, '_blank');
    if (!tab) return false;
    tab.opener = null;
    return true;
  },
  // A page cannot close its tab; leaving for the site is the nearest it comes.
  leaveFor(address) {
    window.location.assign(address);
    return true;
  },
  pageFolder() { return new URL('./', window.location.href).href; },
};

function wireEvents() {
  $('pic').addEventListener('submit', (event) => {
    event.preventDefault();
    send('cmdYes_Click');
  });
  let focusedByPointer = false;
  txtXingShi.addEventListener('pointerdown', () => { focusedByPointer = document.activeElement !== txtXingShi; });
  txtXingShi.addEventListener('focus', () => send('txtXingShi_GotFocus'));
  // A click that brings the focus places the caret after the focus event; select again after it.
  txtXingShi.addEventListener('pointerup', () => {
    if (focusedByPointer) send('txtXingShi_GotFocus');
    focusedByPointer = false;
  });
  txtXingShi.addEventListener('input', () => send('txtXingShi_Change'));

  lstName.addEventListener('pointerdown', listPointerDown);
  lstName.addEventListener('pointerover', listPointerOver);
  window.addEventListener('pointerup', listPointerUp);
  lstName.addEventListener('pointercancel', () => {
    if (longPress) clearTimeout(longPress.timer);
    longPress = null;
  });
  lstName.addEventListener('contextmenu', (event) => event.preventDefault());
  lstName.addEventListener('keydown', listKey);
  lstName.addEventListener('focus', () => {
    if (list.current < 0 && list.items().length) list.setCurrent(0);
  });

  const fileButton = $('mnuFile');
  const openFile = () => showPopup($('mnuFileItems'), 0, 0, fileButton);
  fileButton.addEventListener('click', () => (openMenu ? closeMenu() : openFile()));
  fileButton.addEventListener('keydown', (event) => {
    if (event.key === 'ArrowDown') {
      event.preventDefault();
      openFile();
    }
  });
  document.addEventListener('keydown', (event) => {
    if (event.altKey && (event.key === 'f' || event.key === 'F')) {
      event.preventDefault();
      openFile();
    } else if (event.key === 'Escape' && openMenu) {
      closeMenu();
    }
  });
  // A press elsewhere closes an open menu; the right press on the list has just opened its popup.
  document.addEventListener('pointerdown', (event) => {
    const opening = event.target === fileButton || (event.button === 2 && lstName.contains(event.target));
    if (openMenu && !openMenu.menu.contains(event.target) && !opening) closeMenu(false);
  });
}

async function start() {
  program = await createNameModule({ toolkit });
  wireEvents();
  await program.ccall('name_web_start', null, [], [], { async: true });
  $('frmName').hidden = false;
  document.body.dataset.ready = 'true';
  // From navigation to a filled window, for the bench.
  performance.mark('window-filled');
}

if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('./sw.js').catch((error) => console.warn('offline use unavailable:', error));
}
start();
