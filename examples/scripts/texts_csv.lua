-- Every text of the image as CSV (number, length, text), printed or written
-- to a file inside the folder given with --allow-write.
-- quarry-cli run texts_csv.lua IN.nes [FILE.csv]
local lines = { "number,length,text" }
for _, t in ipairs(quarry.texts()) do
  local quoted = '"' .. t.text:gsub('"', '""') .. '"'
  lines[#lines + 1] = string.format("%d,%d,%s", t.n, #t.text, quoted)
end
local csv = table.concat(lines, "\n") .. "\n"
if arg[1] then
  quarry.write_file(arg[1], csv)
  print(string.format("%d texts written to %s", #lines - 1, arg[1]))
else
  print((csv:gsub("\n$", "")))
end
