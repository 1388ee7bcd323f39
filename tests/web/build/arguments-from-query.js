// The test build's command line is its address's query: quillet_failing.html?timer&font:1
Module['arguments'] = location.search.length > 1 ? location.search.slice(1).split('&').map(decodeURIComponent) : [];
