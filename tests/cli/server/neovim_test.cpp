// The server in a real editor: headless Neovim starts `lyre server` for a
// `.track` file through its own LSP client, the way the README sets it up,
// and writes down the diagnostics it shows and where go-to-definition and
// hover lead. Neovim counts columns in bytes and asks for UTF-16, so a name
// after a two-byte character checks the conversion both ways.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

bool nvim_found() { return std::system("command -v nvim > /dev/null 2>&1") == 0; }

std::string read_all(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

const std::string broken =
    "# Songs\n"
    "## intro\n"
    "@layer th\xC3\xA8me\n"
    "@layer drums\n"
    "\n"
    "# Layers\n"
    "## th\xC3\xA8me\n"
    "bell 0 60 1 \"\xC3\xA7\" volume x\n"
    "\n"
    "# Sounds\n"
    "## bell\n"
    "sine 1\n";

// Starts the client for `*.track` files (vim.lsp.start from Neovim 0.8 on,
// the older calls before it), then records what it saw.
std::string script(const fs::path& out) {
  return R"lua(
local lyre = ')lua" +
         std::string(LYRE_BIN) + R"lua('
local out = ')lua" +
         out.string() + R"lua('
local lines = {}
local function finish()
  vim.fn.writefile(lines, out)
  vim.cmd('qa!')
end

vim.api.nvim_create_autocmd({ 'BufRead', 'BufNewFile' }, {
  pattern = '*.track',
  callback = function() vim.bo.filetype = 'track' end,
})
vim.api.nvim_create_autocmd('FileType', {
  pattern = 'track',
  callback = function(args)
    local config = { name = 'lyre', cmd = { lyre, 'server' },
                     root_dir = vim.fn.fnamemodify(args.file, ':p:h') }
    if vim.lsp.start then
      vim.lsp.start(config)
    else
      vim.lsp.buf_attach_client(args.buf, vim.lsp.start_client(config))
    end
  end,
})

vim.cmd('edit broken.track')
local buf = vim.api.nvim_get_current_buf()
if not vim.wait(10000, function() return #vim.diagnostic.get(buf) > 0 end, 50) then
  table.insert(lines, 'no diagnostics')
  return finish()
end
for _, d in ipairs(vim.diagnostic.get(buf)) do
  table.insert(lines, string.format('diagnostic %d:%d %s', d.lnum, d.col, d.message))
end

local function at(line, character)
  return { textDocument = { uri = vim.uri_from_bufnr(buf) },
           position = { line = line, character = character } }
end
-- Inside `thème`; its heading's name ends at unit 8, byte 9.
local found = vim.lsp.buf_request_sync(buf, 'textDocument/definition', at(2, 9), 5000)
for _, response in pairs(found or {}) do
  for _, l in ipairs(response.result or {}) do
    table.insert(lines, string.format('definition %s %d:%d-%d:%d',
      vim.fn.fnamemodify(vim.uri_to_fname(l.uri), ':t'), l.range.start.line,
      l.range.start.character, l.range['end'].line, l.range['end'].character))
  end
end
local hovered = vim.lsp.buf_request_sync(buf, 'textDocument/hover', at(2, 9), 5000)
for _, response in pairs(hovered or {}) do
  if response.result then
    table.insert(lines, 'hover ' .. response.result.contents.value:gsub('\n', ' | '))
  end
end
finish()
)lua";
}

TEST(NeovimTest, DiagnosticsAndDefinitionInAHeadlessEditor) {
  if (!nvim_found()) GTEST_SKIP() << "nvim not found: install neovim to run this test";
  const fs::path dir = fs::temp_directory_path() / "lyre_neovim_test";
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::ofstream(dir / "broken.track", std::ios::binary) << broken;
  std::ofstream(dir / "record.lua", std::ios::binary) << script(dir / "out.txt");
  // Killed after 20 seconds, so that a client that hangs fails the test
  // instead of the run.
  const std::string command =
      "cd '" + dir.string() +
      "' && timeout -k 2 20 nvim --headless --clean -c 'luafile record.lua' "
      "< /dev/null > nvim.log 2>&1";
  const int status = std::system(command.c_str());
  const std::string recorded = read_all(dir / "out.txt");
  const std::string log = read_all(dir / "nvim.log");
  fs::remove_all(dir);
  ASSERT_TRUE(WIFEXITED(status)) << log;
  EXPECT_EQ(WEXITSTATUS(status), 0) << log;
  // Neovim shows columns in bytes: the 'x' is byte 24 and UTF-16 unit 23.
  EXPECT_EQ(recorded,
            "diagnostic 7:24 invalid number for volume: 'x'\n"
            "diagnostic 3:7 unknown layer 'drums'\n"
            "definition broken.track 6:3-6:8\n"
            // The layer's body fails to parse, so the hover says nothing of it.
            "hover layer `th\xC3\xA8me`, line 7\n");
}

}  // namespace
