// The host's HTTP interface, as the page uses it.

// A command to the host (POST /api/<kind> with a JSON body). Rejects with the
// host's message when the host refuses it.
export async function post(kind, body) {
  const response = await fetch(`/api/${kind}`, {
    method: 'POST',
    headers: { 'Content-Type': 'application/json' },
    body: JSON.stringify(body),
  });
  if (!response.ok) throw new Error((await response.text()).trim());
}

export async function getLayout() {
  const response = await fetch('/api/layout');
  if (!response.ok) throw new Error((await response.text()).trim());
  return response.json();
}

// The next frame after cycle `after`, for page `page` (its id): its JSON header,
// with each listed picture's PNG bytes attached as a Blob. The host holds the
// request until a cycle has run.
export async function getFrame(after, page) {
  const response = await fetch(`/api/frame?after=${after}&page=${encodeURIComponent(page)}`);
  if (!response.ok) throw new Error((await response.text()).trim());
  const buffer = await response.arrayBuffer();
  const length = new DataView(buffer).getUint32(0, true);
  const frame = JSON.parse(new TextDecoder().decode(new Uint8Array(buffer, 4, length)));
  const start = 4 + length;
  for (const picture of frame.pictures) {
    picture.blob = new Blob([new Uint8Array(buffer, start + picture.offset, picture.length)],
                            { type: 'image/png' });
  }
  frame.bytes = buffer.byteLength;
  return frame;
}
