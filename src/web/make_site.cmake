# Writes the site: index.html with the page's script inside it (a module
# script of its own file is refused from file://), the style sheet and the core.
file(READ ${PAGE}/index.html html)
file(READ ${PAGE}/calculator.js script)
string(REPLACE "/* calculator.js */\n" "${script}" html "${html}")
file(MAKE_DIRECTORY ${SITE})
file(WRITE ${SITE}/index.html "${html}")
file(COPY_FILE ${PAGE}/calculator.css ${SITE}/calculator.css)
file(COPY_FILE ${CORE} ${SITE}/metal-weight-core.js)
