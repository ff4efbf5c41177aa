// The calls the program makes into the page; web/page.js does the work.
mergeInto(LibraryManager.library, {
  page_present: function (rgba) {
    Module.page.present(rgba);
  },
  page_set_title: function (title) {
    Module.page.setTitle(UTF8ToString(title));
  },
  page_toggle_fullscreen: function () {
    Module.page.toggleFullscreen();
  },
  page_save_png: function (name, rgba) {
    Module.page.savePng(UTF8ToString(name), rgba);
  },
});
